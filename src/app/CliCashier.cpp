// The cashier's commands: post (the journal's verify step) and check-ledgers.
#include "app/CliCommands.h"

#include "cashier/LedgerCheck.h"
#include "cashier/Posting.h"
#include "cashier/VerifyEntry.h"
#include "data/OrbFun.h"

#include <cstdio>

namespace Orb {

namespace {

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

} // namespace

int RunPostCommand(const QStringList &args)
{
    const QStringList words = args.mid(0, 2);
    if (words.size() != 2
        || (words[1] != QLatin1String("verify") && words[1] != QLatin1String("unverify"))) {
        Print(stderr, QStringLiteral("用法: orbcashier-cli post <MONEY_RECORD_ID> verify|unverify "
                                     "[--name 审核人员]"));
        return 2;
    }
    if (!CliOpenDatabase())
        return 1;
    const QString name = CliOption(args, QStringLiteral("--name"));
    LogonUserName = name.isEmpty() ? QStringLiteral("orbcashier-cli") : name;
    const QString status = words[1] == QLatin1String("verify") ? kStatusVerified
                                                                : kStatusUnverified;
    switch (VerifyEntry(words[0], status)) {
    case VerifyResult::Changed:
        Print(stdout, status);
        return 0;
    case VerifyResult::Unchanged:
        Print(stdout, status + QStringLiteral("（状态未改变）"));
        return 0;
    case VerifyResult::Refused:
        break;
    }
    return 1;
}

int RunCheckLedgersCommand(const QStringList &args)
{
    if (!args.isEmpty()) {
        Print(stderr, QStringLiteral("用法: orbcashier-cli check-ledgers"));
        return 2;
    }
    if (!CliOpenDatabase())
        return 1;
    const QList<LedgerDifference> differences = CheckLedgers();
    for (const LedgerDifference &d : differences)
        Print(stdout, d.text());
    if (differences.isEmpty()) {
        Print(stdout, QStringLiteral("台账与已审核的资金借贷记录一致"));
        return 0;
    }
    Print(stderr, QStringLiteral("台账与已审核的资金借贷记录有 %1 处不一致").arg(differences.size()));
    return 1;
}

} // namespace Orb
