#include "components/LookupSql.h"

#include "data/OrbFun.h"

namespace Orb {

QString ContainsPattern(const QString &typed)
{
    QString escaped;
    bool needsEscape = false;
    for (QChar c : typed) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) {
            escaped += QLatin1Char('\\');
            needsEscape = true;
        }
        escaped += c;
    }
    return QuotedStr(QStringLiteral("%") + escaped + QStringLiteral("%"))
           + (needsEscape ? QStringLiteral(" ESCAPE '\\'") : QString());
}

QString LookupTextSql(const QString &table, const QString &column, const QString &typed)
{
    return QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + table
           + QStringLiteral(" WHERE ") + column + QStringLiteral("  LIKE ")
           + ContainsPattern(typed) + QStringLiteral(" ORDER BY ") + column;
}

} // namespace Orb
