#pragma once
// Command groups of orbcashier-cli. Each takes the arguments after its
// command word and returns the exit code.

#include <QStringList>

namespace Orb {

int RunInitCommand(const QStringList &args);
int RunEnsureLinkCommand(const QStringList &args);
int RunSqlCommand(const QStringList &args);
int RunCapitalCommand(const QStringList &args);
int RunRoundCommand(const QStringList &args);
int RunPostCommand(const QStringList &args);
int RunCheckLedgersCommand(const QStringList &args);
int RunArchiveCommand(const QStringList &args);
int RunExportCommand(const QStringList &args);

// Opens the database of the link file; prints the reason and returns false
// when there is none.
bool CliOpenDatabase();
// The value after --name in args, or empty text.
QString CliOption(const QStringList &args, const QString &name);
bool CliHasFlag(const QStringList &args, const QString &name);

} // namespace Orb
