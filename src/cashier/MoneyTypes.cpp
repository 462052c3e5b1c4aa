#include "cashier/MoneyTypes.h"

#include "data/OrbFun.h"

#include <QSqlQuery>
#include <cmath>

namespace Orb {

namespace {

// Four levels are allowed; the limit only stops a damaged chain of parents
// that loops back on itself.
constexpr int kMaxWalk = 16;

QString FullName(const QString &code, int depth)
{
    if (depth > kMaxWalk)
        return QString();
    const QVariant row = GetSqlRow(
        QStringLiteral("SELECT PRIOR_ID,MONEY_TYPE_NAME FROM ORB_MONEY_INTO_OUT_TYPE_TABLE "
                       "WHERE MONEY_TYPE_ID = ")
        + QuotedStr(code));
    if (row.isNull())
        return QString();
    const QVariantList values = row.toList();
    const QString prior = FieldText(values.value(0));
    const QString name = FieldText(values.value(1));
    if (prior == kTreeRoot)
        return name;
    return FullName(prior, depth + 1) + QLatin1Char('-') + name;
}

} // namespace

QString MoneyTypeFullName(const QString &code)
{
    return FullName(code, 0);
}

QString TopMoneyType(const QString &code)
{
    if (code == kTreeRoot)
        return QString();
    QString current = code;
    for (int i = 0; i < kMaxWalk; ++i) {
        const QString prior = GetSqlText(
            QStringLiteral("SELECT PRIOR_ID FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE "
                           "MONEY_TYPE_ID = ")
            + QuotedStr(current));
        if (prior.isEmpty() || prior == QLatin1String("G002"))
            return QString();
        if (prior == kTreeRoot)
            return current;
        current = prior;
    }
    return QString();
}

QString MoneyTypeSubtreeCondition(const QString &code, int level, const QString &alias)
{
    if (level <= 0)
        return QString();
    const QString column = alias.isEmpty() ? QStringLiteral("MONEY_TYPE_ID")
                                           : alias + QStringLiteral(".MONEY_TYPE_ID");
    return QStringLiteral(" SUBSTRING(") + column + QStringLiteral(" FROM 1  FOR  ")
           + QString::number(3 * level) + QStringLiteral(") = ") + QuotedStr(code);
}

QString MoneyTypeSubtreeCondition(const QString &code)
{
    return MoneyTypeSubtreeCondition(code, int(std::lround(code.size() / 3.0)));
}

} // namespace Orb
