// Text, number and dialect utilities of the helper library.
#include "data/Gbk.h"
#include "data/OrbFun.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace Orb {

QString QuotedStr(const QString &text)
{
    return QLatin1Char('\'') + SqlEscape(text) + QLatin1Char('\'');
}

QString SqlEscape(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return out;
}

QString SubStringSql(TSqlType type, const QString &column, const QString &start,
                     const QString &count)
{
    switch (type) {
    case urSql_Server:
        return QStringLiteral("SubString(") + column + QLatin1Char(',') + start + QLatin1Char(',')
               + count + QLatin1Char(')');
    case urAccess:
        return QStringLiteral("MID(") + column + QLatin1Char(',') + start + QLatin1Char(',')
               + count + QLatin1Char(')');
    case urStandard:
    default:
        return QStringLiteral("SubString(") + column + QStringLiteral(" FROM ") + start
               + QStringLiteral(" FOR ") + count + QLatin1Char(')');
    }
}

QString SubStringSql(TSqlType type, const QString &column, int start, int count)
{
    return SubStringSql(type, column, QString::number(start), QString::number(count));
}

QString DateText(const QDate &date)
{
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

QString DateLiteral(const QDate &date)
{
    return QLatin1Char('\'') + DateText(date) + QLatin1Char('\'');
}

QString WorkDateSql(TSqlType type)
{
    return type == urSql_Server ? QStringLiteral("SELECT getdate() As GDATE ") : QString();
}

double TextToNumber(const QString &text)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

namespace {

// "%20.<d>f" rounds half away from zero on the decimal digits; printf rounds
// the binary value, so 2.5 and 1.235 are nudged by a relative epsilon first.
QString FixedText(double value, int d)
{
    const double scale = std::pow(10.0, d);
    double scaled = value * scale;
    const double nudge = std::fabs(scaled) * 1e-12 + 1e-9;
    scaled = scaled >= 0 ? std::floor(scaled + 0.5 + nudge) : -std::floor(-scaled + 0.5 + nudge);
    return QString::asprintf("%20.*f", d, scaled / scale).trimmed();
}

} // namespace

QString RoundToText(int decimals, const QString &rule, double value)
{
    const int d = (decimals >= 1 && decimals <= 9) ? decimals : 0;
    const double u = std::pow(10.0, -(d + 1));
    double shift = 0;
    bool shifted = true;
    if (rule == QStringLiteral("五舍六入"))
        shift = -u;
    else if (rule == QStringLiteral("三舍四入"))
        shift = u;
    else if (rule == QStringLiteral("二舍三入"))
        shift = 2 * u;
    else if (rule == QStringLiteral("一舍二入"))
        shift = 3 * u;
    else
        shifted = false;

    QString out;
    if (shifted) {
        const double finer = TextToNumber(FixedText(value, d + 1));
        out = FixedText(finer + shift, d);
    } else {
        out = FixedText(value, d);
    }
    out = out.trimmed();
    return out.isEmpty() ? QStringLiteral("0") : out;
}

QString ZeroPad(const QString &text, int n)
{
    const QString padded = QStringLiteral("000000000") + text;
    return padded.right(n);
}

QString WrapText(const QString &text, int widthBytes)
{
    if (widthBytes < 2)
        widthBytes = 2;
    QString out;
    int lineBytes = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            out += c;
            lineBytes = 0;
            continue;
        }
        const bool surrogate = c.isHighSurrogate() && i + 1 < text.size();
        const QString ch = surrogate ? text.mid(i, 2) : QString(c);
        const int bytes = qMax(1, GbkLength(ch));
        if (lineBytes + bytes > widthBytes && lineBytes > 0) {
            out += QStringLiteral("\r\n");
            lineBytes = 0;
        }
        out += ch;
        lineBytes += bytes;
        if (surrogate)
            ++i;
    }
    return out;
}

QString SplitField(const QString &text, const QString &delimiter, int index)
{
    const QStringList parts = text.split(delimiter);
    if (index == -1)
        return parts.size() > 1 ? parts.last() : QString();
    if (index < 1 || index >= parts.size())
        return QString();
    return parts.at(index);
}

QString PathOfFile(const QString &fileName)
{
    const int slash = qMax(fileName.lastIndexOf(QLatin1Char('/')),
                           fileName.lastIndexOf(QLatin1Char('\\')));
    if (slash < 0 || slash == fileName.size() - 1)
        return slash < 0 ? QString() : QString();
    return fileName.left(slash + 1);
}

bool IsDirectory(const QString &path)
{
    return QFileInfo(path).isDir();
}

QString GetTempDir()
{
    QString dir = QDir::tempPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace Orb
