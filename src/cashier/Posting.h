#pragma once
// Posting a journal entry into the day and month ledgers of its fund account:
// verifying adds its amounts to the day row and the ledger-month row (created
// with the brought-forward balance when missing) and shifts every later row of
// the account by the balance change; un-verifying takes them out again.

#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace Orb {

inline const QString kStatusVerified = QStringLiteral("已审核");
inline const QString kStatusUnverified = QStringLiteral("未审核");

// True when the whole posting succeeded. A refusal shows its warning, a failed
// statement its error; then nothing of the posting is kept. Runs in one
// transaction (joining the caller's), holding the account's posting lock.
bool PostMovement(const QDate &date, const QString &accountId, const QString &accountName,
                  double into, double out, bool apply);
bool PostMovement(QSqlDatabase db, const QDate &date, const QString &accountId,
                  const QString &accountName, double into, double out, bool apply);

// Serialises postings to one account until the current transaction ends: on
// PostgreSQL the account row is locked FOR UPDATE; SQLite write transactions
// are serialised by BEGIN IMMEDIATE already.
void LockAccountLedgers(QSqlDatabase db, const QString &accountId);

} // namespace Orb
