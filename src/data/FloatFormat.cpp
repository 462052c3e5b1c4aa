#include "data/FloatFormat.h"

#include <QStringList>
#include <cmath>

namespace Orb {

namespace {

struct Pattern {
    QString prefix;
    QString suffix;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool thousands = false;
    bool digits = false;   // a section without placeholders prints as it stands
};

bool IsPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

// Splits at ';' outside quotes.
QStringList Sections(const QString &format)
{
    QStringList sections{QString()};
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(QString());
            continue;
        }
        sections.last().append(c);
    }
    return sections;
}

QString Unquoted(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c != QLatin1Char('"') && c != QLatin1Char('\''))
            out.append(c);
    }
    return out;
}

Pattern Parse(const QString &section)
{
    Pattern p;
    int first = -1, last = -1;
    QChar quote;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            continue;
        }
        if (IsPlaceholder(c) || ((c == QLatin1Char('.') || c == QLatin1Char(',')) && first >= 0)) {
            if (first < 0)
                first = i;
            last = i;
        } else if (c == QLatin1Char('.') && first < 0) {
            first = last = i;
        }
    }
    if (first < 0) {
        p.prefix = Unquoted(section);
        return p;
    }
    p.digits = true;
    p.prefix = Unquoted(section.left(first));
    p.suffix = Unquoted(section.mid(last + 1));
    bool afterPoint = false;
    for (const QChar c : section.mid(first, last - first + 1)) {
        if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            p.thousands = true;
        } else if (afterPoint) {
            ++p.maxDecimals;
            if (c == QLatin1Char('0'))
                p.minDecimals = p.maxDecimals;
        } else if (c == QLatin1Char('0')) {
            ++p.minInteger;
        }
    }
    return p;
}

QString Grouped(const QString &digits)
{
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.append(QLatin1Char(','));
        out.append(digits[i]);
    }
    return out;
}

QString Apply(const Pattern &p, double magnitude)
{
    if (!p.digits)
        return p.prefix;
    // Halves round away from zero, as printed amounts do.
    const double scale = std::pow(10.0, p.maxDecimals);
    QString fixed = QString::number(std::round(magnitude * scale) / scale, 'f', p.maxDecimals);
    QString integer = fixed.section(QLatin1Char('.'), 0, 0);
    QString fraction = fixed.section(QLatin1Char('.'), 1);
    while (fraction.size() > p.minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (integer == QLatin1String("0") && p.minInteger == 0)
        integer.clear();
    while (integer.size() < p.minInteger)
        integer.prepend(QLatin1Char('0'));
    if (p.thousands)
        integer = Grouped(integer);
    QString number = integer;
    if (!fraction.isEmpty())
        number += QLatin1Char('.') + fraction;
    if (number.isEmpty())
        number = QStringLiteral("0");
    return p.prefix + number + p.suffix;
}

} // namespace

QString GeneralNumber(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15).toUpper();
}

QString FormatFloat(const QString &format, double value)
{
    if (format.isEmpty() || !std::isfinite(value))
        return GeneralNumber(value);
    const QStringList sections = Sections(format);
    Pattern p = Parse(sections[0]);
    const double rounded = std::abs(value) * std::pow(10.0, p.maxDecimals);
    const bool zero = std::llround(rounded) == 0;
    if (zero && sections.size() > 2 && !sections[2].isEmpty())
        return Apply(Parse(sections[2]), 0);
    if (value < 0 && !zero) {
        if (sections.size() > 1 && !sections[1].isEmpty())
            return Apply(Parse(sections[1]), -value);
        return QLatin1Char('-') + Apply(p, -value);
    }
    return Apply(p, std::abs(value));
}

} // namespace Orb
