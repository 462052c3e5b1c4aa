// orbcashier-cli: the administrators' and scripts' entry on the same libraries.
#include "app/CliCommands.h"
#include "app/CliReport.h"

#include "data/ErrorTranslation.h"
#include "data/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <unistd.h>
#include <cstdio>

namespace {

using Command = int (*)(const QStringList &);

struct Entry {
    const char *name;
    Command run;
    const char *usage;
};

const Entry kCommands[] = {
    {"init", Orb::RunInitCommand,
     "init --data DIR [--pg \"host=…;port=…;user=…;password=…;database=…\"] "
     "[--company NAME --user ID --name NAME --password PW]"},
    {"ensure-link", Orb::RunEnsureLinkCommand, "ensure-link --data DIR"},
    {"sql", Orb::RunSqlCommand, "sql \"<statement>\""},
    {"capital", Orb::RunCapitalCommand, "capital <amount>"},
    {"round", Orb::RunRoundCommand, "round <decimals> <rule> <value>"},
    {"post", Orb::RunPostCommand, "post <MONEY_RECORD_ID> verify|unverify [--name NAME]"},
    {"check-ledgers", Orb::RunCheckLedgersCommand, "check-ledgers"},
    {"report", Orb::RunReportCommand,
     "report --template FILE --master \"<SELECT …>\" [--detail \"<SELECT …>\"] "
     "[--var 单位名称=…] [--add-space] [--title TITLE] --pdf OUT"},
    {"template-dump", Orb::RunTemplateDumpCommand, "template-dump FILE"},
    {"archive", Orb::RunArchiveCommand,
     "archive create ARCHIVE DIR | extract ARCHIVE DIR [--mode MODE] | list ARCHIVE"},
    {"export", Orb::RunExportCommand,
     "export --sql \"<SELECT …>\" (--xls OUT | --xlsx OUT) [--id]"},
};

// Messages of the libraries go to stderr; questions are answered no.
class StderrSink final : public Orb::MessageSink {
public:
    void warning(QWidget *, const QString &text) override { print(text); }
    void error(QWidget *, const QString &text) override { print(text); }
    bool question(QWidget *, const QString &text) override
    {
        print(text);
        return false;
    }

private:
    static void print(const QString &text)
    {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
};

int Usage()
{
    std::fprintf(stderr, "usage: orbcashier-cli <command> …\n");
    for (const Entry &e : kCommands)
        std::fprintf(stderr, "  %s\n", e.usage);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = "/tmp/orbcashier-runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromLocal8Bit(dir));
        QFile::setPermissions(QString::fromLocal8Bit(dir), QFileDevice::ReadOwner
                                                             | QFileDevice::WriteOwner
                                                             | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QApplication app(argc, argv);
    StderrSink sink;
    Orb::SetMessageSink(&sink);

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return Usage();
    const QString command = args.takeFirst();
    for (const Entry &e : kCommands) {
        if (command != QLatin1String(e.name))
            continue;
        int code = 1;
        Orb::Guarded([&] { code = e.run(args); });
        return code;
    }
    return Usage();
}
