#include "cashier/VerifyEntry.h"

#include "cashier/LedgerValues.h"
#include "cashier/Posting.h"
#include "data/Database.h"
#include "data/OrbFun.h"

#include <QSqlQuery>

namespace Orb {

namespace {

struct Entry {
    QDate date;
    QString accountId;
    double into = 0;
    double out = 0;
    bool verified = false;
};

// Reads the entry, locking its row on PostgreSQL so that two workstations
// verifying the same entry cannot both post it.
bool ReadEntry(QSqlDatabase db, const QString &id, Entry *entry)
{
    const bool postgres = db.driverName() == QLatin1String("QPSQL");
    QSqlQuery q = Database::Exec(
        db, QStringLiteral("SELECT MONEY_DATE,MONEY_ACCOUNT_ID,MONEY_INTO_NUMBER,"
                           "MONEY_OUT_NUMBER,STATUS FROM ORB_INTO_OUT_MONEY_TABLE "
                           "WHERE MONEY_RECORD_ID = ")
                + QuotedStr(id) + (postgres ? QStringLiteral(" FOR UPDATE") : QString()));
    if (!q.next())
        return false;
    entry->date = FieldDate(q.value(0));
    entry->accountId = FieldText(q.value(1));
    entry->into = TextToNumber(FieldText(q.value(2)));
    entry->out = TextToNumber(FieldText(q.value(3)));
    entry->verified = FieldText(q.value(4)) == kStatusVerified;
    return true;
}

QString AccountName(QSqlDatabase db, const QString &accountId)
{
    QSqlQuery q = Database::Exec(
        db, QStringLiteral("SELECT MONEY_ACCOUNT_NAME FROM ORB_MONEY_ACCOUNT_TABLE "
                           "WHERE MONEY_ACCOUNT_ID = ")
                + QuotedStr(accountId));
    return q.next() ? FieldText(q.value(0)) : QString();
}

void WriteStatus(QSqlDatabase db, const QString &id, const QString &status)
{
    Database::Exec(db, QStringLiteral("UPDATE ORB_INTO_OUT_MONEY_TABLE SET STATUS = ")
                           + QuotedStr(status) + QStringLiteral(",VERIFY_NAME = ")
                           + QuotedStr(LogonUserName) + QStringLiteral(",VERIFY_DATE = ")
                           + DateLiteral(WorkingDate())
                           + QStringLiteral(" WHERE MONEY_RECORD_ID = ") + QuotedStr(id));
}

} // namespace

VerifyResult VerifyEntry(const QString &moneyRecordId, const QString &status)
{
    return VerifyEntry(Database::Connection(), moneyRecordId, status);
}

VerifyResult VerifyEntry(QSqlDatabase db, const QString &moneyRecordId, const QString &status)
{
    if (status != kStatusVerified && status != kStatusUnverified) {
        ShowWarning(QStringLiteral("审核状态只能是已审核或未审核"));
        return VerifyResult::Refused;
    }
    const bool apply = status == kStatusVerified;
    try {
        Transaction transaction(db, TransactionMode::Immediate);
        Entry entry;
        if (!ReadEntry(db, moneyRecordId, &entry)) {
            ShowWarning(QStringLiteral("没有找到内部编号为 ") + moneyRecordId
                        + QStringLiteral(" 的资金借贷记录"));
            transaction.commit();   // nothing was written
            return VerifyResult::Refused;
        }
        // Only a verified entry is in the ledgers, whatever else its status says.
        if (entry.verified == apply) {
            transaction.commit();
            return VerifyResult::Unchanged;
        }
        const QString refusal = !entry.date.isValid() ? QStringLiteral("没有: 账款日期不能审核")
                                : entry.accountId.isEmpty()
                                    ? QStringLiteral("没有: 资金账号不能审核")
                                    : QString();
        if (!refusal.isEmpty()) {
            ShowWarning(refusal);
            transaction.commit();
            return VerifyResult::Refused;
        }
        if (!PostMovement(db, entry.date, entry.accountId, AccountName(db, entry.accountId),
                          entry.into, entry.out, apply))
            return VerifyResult::Refused;
        WriteStatus(db, moneyRecordId, status);
        transaction.commit();
        return VerifyResult::Changed;
    } catch (const EAbort &) {
        throw;
    } catch (const std::exception &) {
        ShowError(QStringLiteral("修改资金借贷记录的审核状态时发生错误"));
        return VerifyResult::Refused;
    }
}

} // namespace Orb
