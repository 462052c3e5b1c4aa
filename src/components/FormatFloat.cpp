#include "components/FormatFloat.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace Orb {

namespace {

bool IsPlaceholder(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.')
           || c == QLatin1Char(',');
}

// Splits at ";" outside quotes.
QStringList Sections(const QString &format)
{
    QStringList out{QString()};
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            out << QString();
            continue;
        }
        out.last() += c;
    }
    return out;
}

QString Unquoted(const QString &text)
{
    QString out;
    QChar quote;
    for (QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else {
            out += c;
        }
    }
    return out;
}

QString FormatSection(const QString &section, double value, bool withSign)
{
    // The number pattern is the first run of placeholders outside quotes.
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
            if (first >= 0)
                break;
            continue;
        }
        if (IsPlaceholder(c)) {
            if (first < 0)
                first = i;
            last = i;
        } else if (first >= 0) {
            break;
        }
    }
    if (first < 0)
        return Unquoted(section);
    const QString pattern = section.mid(first, last - first + 1);
    const int point = pattern.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? pattern : pattern.left(point);
    const QString decPart = point < 0 ? QString() : pattern.mid(point + 1);
    const int maxDec = int(decPart.count(QLatin1Char('0')) + decPart.count(QLatin1Char('#')));
    const int minDec = int(decPart.count(QLatin1Char('0')));
    const int minInt = int(intPart.count(QLatin1Char('0')));
    const bool thousands = intPart.contains(QLatin1Char(','));

    QString digits = QString::number(std::fabs(value), 'f', maxDec);
    QString i = digits.section(QLatin1Char('.'), 0, 0);
    QString d = maxDec > 0 ? digits.section(QLatin1Char('.'), 1, 1) : QString();
    while (d.size() > minDec && d.endsWith(QLatin1Char('0')))
        d.chop(1);
    if (i == QLatin1String("0") && minInt == 0)
        i.clear();
    while (i.size() < minInt)
        i.prepend(QLatin1Char('0'));
    if (thousands)
        for (int p = int(i.size()) - 3; p > 0; p -= 3)
            i.insert(p, QLatin1Char(','));
    QString number = i + (d.isEmpty() ? QString() : QStringLiteral(".") + d);
    if (number.isEmpty())
        number = QStringLiteral("0");
    const bool negative = withSign && value < 0 && number.contains(QRegularExpression("[1-9]"));
    return Unquoted(section.left(first)) + (negative ? QStringLiteral("-") : QString()) + number
           + Unquoted(section.mid(last + 1));
}

} // namespace

QString FormatFloat(const QString &format, double value)
{
    if (format.isEmpty())
        return QString::number(value, 'g', 15);
    const QStringList s = Sections(format);
    if (value < 0 && s.size() > 1 && !s[1].isEmpty())
        return FormatSection(s[1], value, false);
    if (value == 0 && s.size() > 2 && !s[2].isEmpty())
        return FormatSection(s[2], value, false);
    return FormatSection(s[0], value, true);
}

} // namespace Orb
