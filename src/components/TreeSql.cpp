#include "components/TreeSql.h"

#include "data/OrbFun.h"

namespace Orb {

QString TreeStatement(const TTreeTemplate &t, const QString &code, bool children)
{
    if (t.kind == QLatin1String("C"))
        return t.sql + QuotedStr(code) + QLatin1Char(' ') + t.tail;
    if (!t.kind.isEmpty())
        return t.sql + code + QLatin1Char(' ') + t.tail;
    return children ? t.sql + QLatin1Char(' ') + t.tail : t.sql;
}

QString TreeCaption(const TTreeTemplate &t, const QString &name)
{
    return (t.digits != 0 ? ZeroPad(name, t.digits) : name) + t.suffix;
}

} // namespace Orb
