#include "cashier/LedgerValues.h"

#include "data/OrbFun.h"

#include <QLocale>

namespace Orb {

QDate FieldDate(const QVariant &value)
{
    if (value.isNull())
        return QDate();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    return QDate::fromString(FieldText(value).left(10), Qt::ISODate);
}

QDate WorkingDate()
{
    const QDate d = QDate::fromString(WorkDate, Qt::ISODate);
    return d.isValid() ? d : Today();
}

QString AmountSql(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace Orb
