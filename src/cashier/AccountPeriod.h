#pragma once
// The ledger month a movement date belongs to. With a closing day n between
// 1 and 31 a ledger month runs from the day after day n of the previous month
// to day n of its own month; otherwise ledger months are calendar months.

#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace Orb {

inline const QString kClosingDaySetting = QStringLiteral("GACCOUNT_DAY");

struct LedgerPeriod {
    QString label;   // "2008年09月"
    QDate first;
    QDate last;

    QString firstText() const;   // "MM/DD/YYYY"
    QString lastText() const;
};

// The label of a ledger month: four-digit year, "年", two-digit month, "月".
QString MonthLabel(int year, int month);

// The closing day from the setting's text: rounded, empty text 0.
int ClosingDayFromText(const QString &text);
// The closing day stored as "GACCOUNT_DAY" on the connection.
int ReadClosingDay(QSqlDatabase db);

LedgerPeriod AccountPeriod(const QDate &date, int closingDay);
// With the closing day of the database.
LedgerPeriod AccountPeriod(const QDate &date);

} // namespace Orb
