#include "cashier/AccountPeriod.h"

#include "data/Database.h"
#include "data/OrbFun.h"

#include <QSqlQuery>
#include <cmath>

namespace Orb {

QString LedgerPeriod::firstText() const
{
    return DateText(first);
}

QString LedgerPeriod::lastText() const
{
    return DateText(last);
}

QString MonthLabel(int year, int month)
{
    return QStringLiteral("%1年%2月")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'));
}

int ClosingDayFromText(const QString &text)
{
    const double n = std::round(TextToNumber(text));
    // Anything outside a month's days means calendar months.
    return (n >= 1 && n <= 31) ? int(n) : 0;
}

int ReadClosingDay(QSqlDatabase db)
{
    QSqlQuery q = Database::Exec(
        db, QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = ")
                + QuotedStr(kClosingDaySetting));
    return q.next() ? ClosingDayFromText(FieldText(q.value(0))) : 0;
}

LedgerPeriod AccountPeriod(const QDate &date, int n)
{
    const int y = date.year();
    const int m = date.month();
    LedgerPeriod p;
    if (n <= 0 || n >= 32) {
        p.first = QDate(y, m, 1);
        p.last = QDate(y, m, date.daysInMonth());
        p.label = MonthLabel(y, m);
    } else if (date.day() > n) {
        // After the closing day: the movement belongs to the following month.
        p.first = QDate(y, m, n).addDays(1);
        const QDate next = QDate(y, m, 1).addMonths(1);
        p.last = QDate(next.year(), next.month(), qMin(n, next.daysInMonth()));
        p.label = MonthLabel(next.year(), next.month());
    } else {
        p.last = QDate(y, m, qMin(n, date.daysInMonth()));
        p.label = MonthLabel(y, m);
        const QDate prior = QDate(y, m, 1).addMonths(-1);
        p.first = n < prior.daysInMonth() ? QDate(prior.year(), prior.month(), n).addDays(1)
                                          : QDate(y, m, 1);
    }
    return p;
}

LedgerPeriod AccountPeriod(const QDate &date)
{
    return AccountPeriod(date, ReadClosingDay(Database::Connection()));
}

} // namespace Orb
