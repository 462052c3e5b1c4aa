// Generated numbers of new records: the numbering query and the next value.
#include "components/RecordRules.h"

#include "data/OrbFun.h"

namespace Orb {

QString NumberingDatePart(const NumberingRequest &r)
{
    const QString kind = r.kind.toUpper();
    if (kind == QLatin1String("Y"))
        return r.monthValue.left(4);
    if (kind == QLatin1String("M"))
        return r.monthValue;
    if (kind == QLatin1String("D"))
        return r.dayValue;
    return QString();
}

int NumberingCounterDigits(const NumberingRequest &r)
{
    const QString kind = r.kind.toUpper();
    if (kind == QLatin1String("Y"))
        return r.width - 4;
    if (kind == QLatin1String("M"))
        return r.width - 6;
    if (kind == QLatin1String("D"))
        return r.width - 8;
    return r.width;
}

QString NumberingSql(TSqlType type, const NumberingRequest &r)
{
    const QString kind = r.kind.toUpper();
    QString sql;
    if (kind == QLatin1String("C") && r.width == 0) {
        sql = QStringLiteral("SELECT MAX(") + r.field + QStringLiteral(") From ") + r.table;
    } else {
        const QString d = NumberingDatePart(r);
        const int p = r.prefix.size();
        const int l = d.size();
        sql = QStringLiteral("SELECT MAX(") + SubStringSql(type, r.field, p + l + 1, r.width)
              + QStringLiteral(") From ") + r.table;
        if (l > 0) {
            sql += QStringLiteral(" WHERE ") + SubStringSql(type, r.field, p + 1, l)
                   + QStringLiteral("= '") + d;
            if (p > 0)
                sql += QStringLiteral("' AND  ") + SubStringSql(type, r.field, 1, p)
                       + QStringLiteral(" = '") + r.prefix;
            sql += QLatin1Char('\'');
        } else if (p > 0) {
            sql += QStringLiteral(" WHERE ") + SubStringSql(type, r.field, 1, p)
                   + QStringLiteral(" = '") + r.prefix + QLatin1Char('\'');
        }
    }
    if (!r.where.isEmpty())
        sql += (sql.contains(QLatin1String("WHERE")) ? QStringLiteral(" AND ")
                                                     : QStringLiteral(" WHERE "))
               + r.where;
    return sql;
}

double LenientNumber(const QString &text)
{
    QString t = text;
    const int yen = t.indexOf(QChar(0xFFE5));
    if (yen >= 0)
        t = t.mid(yen + 1);
    return TextToNumber(t);
}

QString NextNumber(const NumberingRequest &r, const QString &maxResult)
{
    const QString kind = r.kind.toUpper();
    if (kind == QLatin1String("C") && r.width == 0)
        return r.prefix + QString::number(qint64(LenientNumber(maxResult)) + 1);
    const int n = NumberingCounterDigits(r);
    if (n <= 0)
        return QString();
    const qint64 next = qint64(LenientNumber((maxResult + QStringLiteral("000000000")).left(n))) + 1;
    const QString counter = (QStringLiteral("000000000") + QString::number(next)).right(n);
    return r.prefix + NumberingDatePart(r) + counter;
}

} // namespace Orb
