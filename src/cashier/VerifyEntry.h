#pragma once
// The journal's verify step without a window: the checks, the posting into
// the ledgers and the entry's STATUS, VERIFY_NAME and VERIFY_DATE, all in one
// transaction, so the ledgers and the entry change together or not at all.

#include <QSqlDatabase>
#include <QString>

namespace Orb {

enum class VerifyResult {
    Changed,     // posted and the new status written
    Unchanged,   // the entry already had that status
    Refused      // a refusal or error was shown; nothing changed
};

// status: "已审核" posts the entry, "未审核" takes it out of the ledgers.
VerifyResult VerifyEntry(const QString &moneyRecordId, const QString &status);
VerifyResult VerifyEntry(QSqlDatabase db, const QString &moneyRecordId, const QString &status);

} // namespace Orb
