#include "cashier/LedgerCheck.h"

#include "cashier/AccountPeriod.h"
#include "cashier/LedgerValues.h"
#include "cashier/Posting.h"
#include "data/Database.h"
#include "data/OrbFun.h"

#include <QHash>
#include <QSqlQuery>
#include <cmath>
#include <map>
#include <set>

namespace Orb {

namespace {

const QString kDayLedger = QStringLiteral("日台账");
const QString kMonthLedger = QStringLiteral("月台账");
const QString kMissingRow = QStringLiteral("缺少台账记录");

struct Movements {
    double into = 0;
    double out = 0;
    double change = 0;   // the sum of round2(in - out), as the posting adds it
};

struct StoredRow {
    double prior = 0;
    double into = 0;
    double out = 0;
    double closing = 0;
};

struct MonthRow {
    QDate first;
    QDate last;
    StoredRow values;
};

struct Entry {
    QDate date;
    double into = 0;
    double out = 0;
};

struct Account {
    QString name;
    QList<Entry> entries;
    std::map<QDate, StoredRow> days;
    std::map<QString, MonthRow> months;
};

QString Money(double value)
{
    return RoundToText(2, QString(), value);
}

bool Same(double a, double b)
{
    return std::fabs(a - b) < 0.005;
}

double Amount(const QVariant &value)
{
    return TextToNumber(FieldText(value));
}

StoredRow ReadRow(const QSqlQuery &q, int from)
{
    return {Amount(q.value(from)), Amount(q.value(from + 1)), Amount(q.value(from + 2)),
            Amount(q.value(from + 3))};
}

std::map<QString, Account> ReadAccounts()
{
    std::map<QString, Account> accounts;
    QSqlQuery names = Database::Exec(
        QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_ACCOUNT_NAME FROM ORB_MONEY_ACCOUNT_TABLE"));
    while (names.next())
        accounts[FieldText(names.value(0))].name = FieldText(names.value(1));
    QSqlQuery entries = Database::Exec(
        QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER "
                       "FROM ORB_INTO_OUT_MONEY_TABLE WHERE STATUS = ")
        + QuotedStr(kStatusVerified) + QStringLiteral(" AND MONEY_DATE IS NOT NULL"));
    while (entries.next())
        accounts[FieldText(entries.value(0))].entries.append(
            {FieldDate(entries.value(1)), Amount(entries.value(2)), Amount(entries.value(3))});
    QSqlQuery days = Database::Exec(
        QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_DAY_DATE,PRIOR_DAY_MONEY,INTO_DAY_MONEY,"
                       "OUT_DAY_MONEY,TODAY_DAY_MONEY FROM ORB_MONEY_DAY_TABLE"));
    while (days.next())
        accounts[FieldText(days.value(0))].days[FieldDate(days.value(1))] = ReadRow(days, 2);
    QSqlQuery months = Database::Exec(
        QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_MONTH,MONEY_START_DATE,MONEY_END_DATE,"
                       "PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,OUT_MONTH_MONEY,TODAY_MONTH_MONEY "
                       "FROM ORB_MONEY_MONTH_TABLE"));
    while (months.next())
        accounts[FieldText(months.value(0))].months[FieldText(months.value(1))] = {
            FieldDate(months.value(2)), FieldDate(months.value(3)), ReadRow(months, 4)};
    return accounts;
}

const StoredRow &rowOf(const StoredRow &row)
{
    return row;
}

const StoredRow &rowOf(const MonthRow &row)
{
    return row.values;
}

void Add(Movements &m, const Entry &e)
{
    m.into += e.into;
    m.out += e.out;
    m.change += TextToNumber(Money(e.into - e.out));
}

class Checker {
public:
    Checker(const QString &id, const Account &account, QList<LedgerDifference> *out)
        : m_id(id), m_account(account), m_out(out)
    {
    }

    void checkDays();
    void checkMonths(int closingDay);

private:
    void report(const QString &ledger, const QString &period, const QString &column,
                const QString &stored, const QString &expected)
    {
        m_out->append({ledger, m_id, m_account.name, period, column, stored, expected});
    }
    // Walks the rows in order, carrying the expected balance from row to row.
    template <class Key, class Stored, class Text>
    void compareChain(const QString &ledger, const std::map<Key, Movements> &expected,
                      const Stored &stored, const QStringList &captions, Text keyText);

    QString m_id;
    const Account &m_account;
    QList<LedgerDifference> *m_out;
};

template <class Key, class Stored, class Text>
void Checker::compareChain(const QString &ledger, const std::map<Key, Movements> &expected,
                           const Stored &stored, const QStringList &captions, Text keyText)
{
    std::set<Key> keys;
    for (const auto &[key, m] : expected)
        keys.insert(key);
    for (const auto &[key, row] : stored)
        keys.insert(key);
    double balance = 0;
    for (const Key &key : keys) {
        const auto e = expected.find(key);
        const Movements m = e == expected.end() ? Movements{} : e->second;
        const StoredRow want{balance, m.into, m.out, balance + m.change};
        balance = want.closing;
        const QString period = keyText(key);
        const auto s = stored.find(key);
        if (s == stored.end()) {
            report(ledger, period, kMissingRow, QString(), captions[3] + QLatin1Char(' ')
                                                               + Money(want.closing));
            continue;
        }
        const StoredRow &have = rowOf(s->second);
        const double wants[] = {want.prior, want.into, want.out, want.closing};
        const double haves[] = {have.prior, have.into, have.out, have.closing};
        for (int i = 0; i < 4; ++i)
            if (!Same(wants[i], haves[i]))
                report(ledger, period, captions[i], Money(haves[i]), Money(wants[i]));
    }
}

void Checker::checkDays()
{
    std::map<QDate, Movements> expected;
    for (const Entry &e : m_account.entries)
        Add(expected[e.date], e);
    compareChain(kDayLedger, expected, m_account.days,
                 {QStringLiteral("前日结转"), QStringLiteral("本日借入"), QStringLiteral("本日贷出"),
                  QStringLiteral("本日结存")},
                 [](const QDate &d) { return d.toString(kShortDateFormat); });
}

void Checker::checkMonths(int closingDay)
{
    std::map<QString, Movements> expected;
    for (const Entry &e : m_account.entries) {
        QStringList covering;
        for (const auto &[label, row] : m_account.months)
            if (row.first <= e.date && e.date <= row.last)
                covering << label;
        const QString day = e.date.toString(kShortDateFormat);
        if (covering.size() >= 2) {
            report(kMonthLedger, day, QStringLiteral("日期包含在多个月台账记录里"), QString(),
                   covering.join(QLatin1Char(',')));
            continue;
        }
        if (covering.size() == 1) {
            Add(expected[covering.first()], e);
            continue;
        }
        // No row covers the date: the posting would create the row of its period.
        const LedgerPeriod p = AccountPeriod(e.date, closingDay);
        const auto same = m_account.months.find(p.label);
        if (same != m_account.months.end()) {
            report(kMonthLedger, day, QStringLiteral("日期不在台帐年月的日期范围内"), QString(),
                   p.label);
            continue;
        }
        Add(expected[p.label], e);
    }
    compareChain(kMonthLedger, expected, m_account.months,
                 {QStringLiteral("前月结转"), QStringLiteral("本月借入"), QStringLiteral("本月贷出"),
                  QStringLiteral("本月结存")},
                 [](const QString &label) { return label; });
}

} // namespace

QString LedgerDifference::text() const
{
    QString t = ledger + QStringLiteral(" 资金账号:") + accountName + QLatin1Char('(') + accountId
                + QStringLiteral(") ") + period + QLatin1Char(' ') + column;
    if (stored.isEmpty())
        return t + QStringLiteral(": ") + expected;
    return t + QStringLiteral(": 台账 ") + stored + QStringLiteral(", 应为 ") + expected;
}

QList<LedgerDifference> CheckLedgers(const std::function<void(int, int)> &progress)
{
    const int closingDay = ReadClosingDay(Database::Connection());
    const std::map<QString, Account> accounts = ReadAccounts();
    QList<LedgerDifference> differences;
    int done = 0;
    for (const auto &[id, account] : accounts) {
        Checker checker(id, account, &differences);
        checker.checkDays();
        checker.checkMonths(closingDay);
        if (progress)
            progress(++done, int(accounts.size()));
    }
    return differences;
}

} // namespace Orb
