#include "cashier/Posting.h"

#include "cashier/AccountPeriod.h"
#include "cashier/LedgerValues.h"
#include "data/Database.h"
#include "data/OrbFun.h"

#include <QSqlQuery>

namespace Orb {

namespace {

const QString kMonthError = QStringLiteral("修改资金进出台帐数据库时发生错误");
const QString kDayError = QStringLiteral("修改资金进出日台帐数据库时发生错误");
const QString kLfCr = QStringLiteral("\n\r");
const QString kCrLf = QStringLiteral("\r\n");

QString Round2(double value)
{
    return RoundToText(2, QString(), value);
}

class Posting {
public:
    Posting(QSqlDatabase db, const QDate &date, const QString &account, const QString &name,
            double into, double out)
        : m_db(db), m_d(DateLiteral(date)), m_dText(DateText(date)),
          m_a(QuotedStr(account)), m_name(name), m_in(AmountSql(into)), m_out(AmountSql(out)),
          m_k(Round2(into - out)), m_period(AccountPeriod(date, ReadClosingDay(db)))
    {
    }

    bool checks();
    bool applyMonth();
    void removeMonth();
    void applyDay();
    void removeDay();

private:
    QSqlQuery exec(const QString &sql) { return Database::Exec(m_db, sql); }
    QString label() const { return QuotedStr(m_period.label); }
    QString accountLine() const { return QStringLiteral("资金账号:") + m_name; }
    QString monthLine() const { return QStringLiteral("台帐年月:") + m_period.label; }
    // The closing balance of the account's latest earlier row: maxSql finds
    // its key (a date or a month label), valueSql + key + the account reads it.
    double previousClosing(const QString &maxSql, const QString &valueSql, bool dateKey);

    QSqlDatabase m_db;
    QString m_d;       // 'MM/DD/YYYY' with its quotes
    QString m_dText;   // MM/DD/YYYY for the messages
    QString m_a;       // the account id, quoted
    QString m_name;
    QString m_in;
    QString m_out;
    QString m_k;       // round2(in - out)
    LedgerPeriod m_period;
    bool m_monthFound = false;
    bool m_dayFound = false;
};

bool Posting::checks()
{
    const QString covering = QStringLiteral(" FROM ORB_MONEY_MONTH_TABLE "
                                            "WHERE MONEY_ACCOUNT_ID = ")
                             + m_a + QStringLiteral(" AND MONEY_START_DATE <= ") + m_d
                             + QStringLiteral(" AND MONEY_END_DATE >= ") + m_d;
    QSqlQuery count = exec(QStringLiteral("SELECT Count(MONEY_ACCOUNT_ID)") + covering);
    const int c = count.next() ? count.value(0).toInt() : 0;
    if (c >= 2) {
        ShowWarning(QStringLiteral("帐款日期:") + m_dText + kLfCr + accountLine() + kCrLf
                    + QStringLiteral("该日期包含在 ") + QString::number(c)
                    + QStringLiteral(" 个台帐记录里,请先修改这些台帐的起始和结束日期范围"));
        return false;
    }
    QSqlQuery month = exec(QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_MONTH,STATUS,"
                                          "INTO_MONTH_MONEY,OUT_MONTH_MONEY,TODAY_MONTH_MONEY")
                           + covering);
    if (month.next()) {
        m_monthFound = true;
        const QString rowMonth = FieldText(month.value(1));
        if (rowMonth != m_period.label) {
            ShowWarning(QStringLiteral("帐款日期:") + m_dText + kLfCr + accountLine() + kCrLf
                        + monthLine() + kCrLf + QStringLiteral("该帐款日期在台帐里记录包含在台帐年月 ")
                        + rowMonth + QStringLiteral(" 里") + kCrLf
                        + QStringLiteral("请先修改台帐里的台帐年月"));
            return false;
        }
        if (FieldText(month.value(2)) == kStatusVerified) {
            ShowWarning(accountLine() + kCrLf + monthLine() + kCrLf
                        + QStringLiteral("台帐数据库中该年月该资金账号的台帐记录是已审核的，"
                                         "不能审核该项收支记录"));
            return false;
        }
    }
    QSqlQuery day = exec(QStringLiteral("SELECT MONEY_ACCOUNT_ID,MONEY_DAY_DATE,STATUS,"
                                        "INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY "
                                        "FROM ORB_MONEY_DAY_TABLE WHERE MONEY_ACCOUNT_ID = ")
                         + m_a + QStringLiteral(" AND MONEY_DAY_DATE = ") + m_d);
    if (day.next()) {
        m_dayFound = true;
        if (FieldText(day.value(2)) == kStatusVerified) {
            ShowWarning(accountLine() + kCrLf + QStringLiteral("台帐日期:") + m_dText + kCrLf
                        + QStringLiteral("台帐数据库中该年月该资金账号的台帐记录是已审核的，"
                                         "不能审核该项收支记录"));
            return false;
        }
    }
    return true;
}

double Posting::previousClosing(const QString &maxSql, const QString &valueSql, bool dateKey)
{
    QSqlQuery max = exec(maxSql);
    if (!max.next() || max.value(0).isNull())
        return 0;
    const QVariant key = max.value(0);
    const QString keyLiteral = dateKey ? DateLiteral(FieldDate(key)) : QuotedStr(FieldText(key));
    QSqlQuery value =
        exec(valueSql + keyLiteral + QStringLiteral(" AND MONEY_ACCOUNT_ID = ") + m_a);
    return value.next() ? TextToNumber(FieldText(value.value(0))) : 0;
}

bool Posting::applyMonth()
{
    const QString where = QStringLiteral(" AND MONEY_ACCOUNT_ID = ") + m_a;
    if (m_monthFound) {
        exec(QStringLiteral("UPDATE ORB_MONEY_MONTH_TABLE "
                            "SET INTO_MONTH_MONEY = INTO_MONTH_MONEY + ")
             + m_in + QStringLiteral(",OUT_MONTH_MONEY = OUT_MONTH_MONEY + ") + m_out
             + QStringLiteral(",TODAY_MONTH_MONEY = TODAY_MONTH_MONEY + ") + m_k
             + QStringLiteral(" WHERE MONEY_MONTH = ") + label() + where);
    } else {
        QSqlQuery same = exec(QStringLiteral("SELECT MONEY_START_DATE,MONEY_END_DATE FROM "
                                             "ORB_MONEY_MONTH_TABLE WHERE MONEY_ACCOUNT_ID = ")
                              + m_a + QStringLiteral(" AND MONEY_MONTH = ") + label());
        if (same.next()) {
            ShowWarning(accountLine() + kCrLf + monthLine() + kCrLf + QStringLiteral("日期范围 ")
                        + m_period.firstText() + QStringLiteral(" <----> ") + m_period.lastText()
                        + kCrLf + monthLine() + kCrLf + QStringLiteral("日期范围 ")
                        + DateText(FieldDate(same.value(0))) + QStringLiteral(" <----> ")
                        + DateText(FieldDate(same.value(1))) + kCrLf
                        + QStringLiteral("同一台帐年月,不同的日期范围,不能审核记录,"
                                         "请修改台帐里面的该台帐年月的日期范围"));
            return false;
        }
        const double p = previousClosing(
            QStringLiteral("SELECT MAX(MONEY_MONTH) FROM ORB_MONEY_MONTH_TABLE "
                           "WHERE MONEY_MONTH < ")
                + label() + where,
            QStringLiteral("SELECT TODAY_MONTH_MONEY FROM ORB_MONEY_MONTH_TABLE "
                           "WHERE MONEY_MONTH = "),
            false);
        exec(QStringLiteral("INSERT INTO "
                            "ORB_MONEY_MONTH_TABLE(STATUS,MONEY_MONTH,MONEY_ACCOUNT_ID,"
                            "MONEY_START_DATE,MONEY_END_DATE,PRIOR_MONTH_MONEY,INTO_MONTH_MONEY,"
                            "OUT_MONTH_MONEY,TODAY_MONTH_MONEY,CREATE_NAME,CREATE_DATE) VALUES(")
             + QuotedStr(kStatusUnverified) + QLatin1Char(',') + label() + QLatin1Char(',') + m_a
             + QLatin1Char(',') + DateLiteral(m_period.first) + QLatin1Char(',')
             + DateLiteral(m_period.last) + QLatin1Char(',') + AmountSql(p) + QLatin1Char(',')
             + m_in + QLatin1Char(',') + m_out + QLatin1Char(',') + Round2(TextToNumber(m_k) + p)
             + QLatin1Char(',') + QuotedStr(LogonUserName) + QLatin1Char(',')
             + DateLiteral(WorkingDate()) + QLatin1Char(')'));
    }
    exec(QStringLiteral("UPDATE ORB_MONEY_MONTH_TABLE SET PRIOR_MONTH_MONEY = PRIOR_MONTH_MONEY + "
                        "")
         + m_k + QStringLiteral(",TODAY_MONTH_MONEY = TODAY_MONTH_MONEY + ") + m_k
         + QStringLiteral(" WHERE MONEY_MONTH > ") + label() + where);
    return true;
}

void Posting::removeMonth()
{
    exec(QStringLiteral("UPDATE ORB_MONEY_MONTH_TABLE SET INTO_MONTH_MONEY = INTO_MONTH_MONEY - ")
         + m_in + QStringLiteral(",OUT_MONTH_MONEY = OUT_MONTH_MONEY - ") + m_out
         + QStringLiteral(",TODAY_MONTH_MONEY = TODAY_MONTH_MONEY - ") + m_k
         + QStringLiteral(" WHERE MONEY_MONTH = ") + label()
         + QStringLiteral(" AND MONEY_ACCOUNT_ID = ") + m_a);
    exec(QStringLiteral("UPDATE ORB_MONEY_MONTH_TABLE SET PRIOR_MONTH_MONEY = PRIOR_MONTH_MONEY - "
                        "")
         + m_k + QStringLiteral(",TODAY_MONTH_MONEY = TODAY_MONTH_MONEY - ") + m_k
         + QStringLiteral(" WHERE MONEY_MONTH > ") + label()
         + QStringLiteral(" AND  MONEY_ACCOUNT_ID = ") + m_a);
}

void Posting::applyDay()
{
    const QString where = QStringLiteral(" AND MONEY_ACCOUNT_ID = ") + m_a;
    if (m_dayFound) {
        exec(QStringLiteral("UPDATE ORB_MONEY_DAY_TABLE SET INTO_DAY_MONEY = INTO_DAY_MONEY + ")
             + m_in + QStringLiteral(",OUT_DAY_MONEY = OUT_DAY_MONEY + ") + m_out
             + QStringLiteral(",TODAY_DAY_MONEY = TODAY_DAY_MONEY + ") + m_k
             + QStringLiteral(" WHERE MONEY_DAY_DATE = ") + m_d + where);
    } else {
        const double p = previousClosing(
            QStringLiteral("SELECT MAX(MONEY_DAY_DATE) FROM ORB_MONEY_DAY_TABLE WHERE "
                           "MONEY_DAY_DATE < ")
                + m_d + where,
            QStringLiteral("SELECT TODAY_DAY_MONEY FROM ORB_MONEY_DAY_TABLE "
                           "WHERE MONEY_DAY_DATE = "),
            true);
        exec(QStringLiteral("INSERT INTO "
                            "ORB_MONEY_DAY_TABLE(STATUS,MONEY_DAY_DATE,MONEY_ACCOUNT_ID,"
                            "PRIOR_DAY_MONEY,INTO_DAY_MONEY,OUT_DAY_MONEY,TODAY_DAY_MONEY,"
                            "CREATE_NAME,CREATE_DATE) VALUES(")
             + QuotedStr(kStatusUnverified) + QLatin1Char(',') + m_d + QLatin1Char(',') + m_a
             + QLatin1Char(',') + AmountSql(p) + QLatin1Char(',') + m_in + QLatin1Char(',') + m_out
             + QLatin1Char(',') + Round2(TextToNumber(m_k) + p) + QLatin1Char(',')
             + QuotedStr(LogonUserName) + QLatin1Char(',') + DateLiteral(WorkingDate())
             + QLatin1Char(')'));
    }
    exec(QStringLiteral("UPDATE ORB_MONEY_DAY_TABLE "
                        "SET PRIOR_DAY_MONEY = PRIOR_DAY_MONEY + ") + m_k
         + QStringLiteral(",TODAY_DAY_MONEY = TODAY_DAY_MONEY + ") + m_k
         + QStringLiteral(" WHERE MONEY_DAY_DATE > ") + m_d + where);
}

void Posting::removeDay()
{
    exec(QStringLiteral("UPDATE ORB_MONEY_DAY_TABLE SET INTO_DAY_MONEY = INTO_DAY_MONEY - ") + m_in
         + QStringLiteral(",OUT_DAY_MONEY = OUT_DAY_MONEY - ") + m_out
         + QStringLiteral(",TODAY_DAY_MONEY = TODAY_DAY_MONEY - ") + m_k
         + QStringLiteral(" WHERE MONEY_DAY_DATE = ") + m_d
         + QStringLiteral(" AND MONEY_ACCOUNT_ID = ") + m_a);
    exec(QStringLiteral("UPDATE ORB_MONEY_DAY_TABLE "
                        "SET PRIOR_DAY_MONEY = PRIOR_DAY_MONEY - ") + m_k
         + QStringLiteral(",TODAY_DAY_MONEY = TODAY_DAY_MONEY - ") + m_k
         + QStringLiteral(" WHERE MONEY_DAY_DATE > ") + m_d
         + QStringLiteral(" AND  MONEY_ACCOUNT_ID = ") + m_a);
}

} // namespace

void LockAccountLedgers(QSqlDatabase db, const QString &accountId)
{
    if (db.driverName() != QLatin1String("QPSQL"))
        return;
    QSqlQuery row = Database::Exec(
        db, QStringLiteral("SELECT MONEY_ACCOUNT_ID FROM ORB_MONEY_ACCOUNT_TABLE "
                           "WHERE MONEY_ACCOUNT_ID = ")
                + QuotedStr(accountId) + QStringLiteral(" FOR UPDATE"));
    if (!row.next()) {
        // An account id without its row still gets a mutex of its own.
        Database::Exec(db, QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(")
                               + QuotedStr(QStringLiteral("ORB_MONEY_ACCOUNT:") + accountId)
                               + QStringLiteral("))"));
    }
}

bool PostMovement(const QDate &date, const QString &accountId, const QString &accountName,
                  double into, double out, bool apply)
{
    return PostMovement(Database::Connection(), date, accountId, accountName, into, out, apply);
}

bool PostMovement(QSqlDatabase db, const QDate &date, const QString &accountId,
                  const QString &accountName, double into, double out, bool apply)
{
    if (!date.isValid()) {
        ShowWarning(QStringLiteral("没有: 账款日期不能审核"));
        return false;
    }
    const QString *failure = &kMonthError;
    try {
        // One transaction: a failure part-way rolls back the statements already run.
        Transaction transaction(db, TransactionMode::Immediate);
        LockAccountLedgers(db, accountId);
        Posting posting(db, date, accountId, accountName, into, out);
        if (!posting.checks() || (apply && !posting.applyMonth())) {
            transaction.commit();   // nothing was written
            return false;
        }
        if (!apply)
            posting.removeMonth();
        failure = &kDayError;
        if (apply)
            posting.applyDay();
        else
            posting.removeDay();
        transaction.commit();
        return true;
    } catch (const EAbort &) {
        throw;
    } catch (const std::exception &) {
        ShowError(*failure);
        return false;
    }
}

} // namespace Orb
