#pragma once
// Small conversions the posting, the verify step and the ledger check share.

#include <QDate>
#include <QString>
#include <QVariant>

namespace Orb {

// A date column's value (QDate on PostgreSQL, ISO text on SQLite); invalid when null.
QDate FieldDate(const QVariant &value);
// The working date (WorkDate), or today when it is not set.
QDate WorkingDate();
// An amount in its shortest decimal form, as it enters a statement.
QString AmountSql(double value);

} // namespace Orb
