#pragma once
// Recomputes every account's day and month ledger rows from the verified
// journal and lists where the stored rows differ: hand edits, lost postings,
// rows missing for verified entries, dates that no month row covers.

#include <QList>
#include <QString>
#include <functional>

namespace Orb {

struct LedgerDifference {
    QString ledger;       // "日台账" or "月台账"
    QString accountId;
    QString accountName;
    QString period;       // the day "YYYY-MM-DD" or the label "2008年09月"
    QString column;       // the column's caption, or what is wrong with the row
    QString stored;       // the stored value; empty when there is no stored row
    QString expected;

    QString text() const;
};

// progress(done, total) is called once per account.
QList<LedgerDifference> CheckLedgers(const std::function<void(int, int)> &progress = {});

} // namespace Orb
