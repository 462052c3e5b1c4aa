// The foundation's commands: init, ensure-link, sql, capital, round.
#include "app/CliCommands.h"

#include "app/Enrolment.h"
#include "app/Startup.h"
#include "data/CapitalAmount.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/ErrorTranslation.h"
#include "data/OrbFun.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cstdio>

namespace Orb {

namespace {

void Out(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

void Err(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

} // namespace

QString CliOption(const QStringList &args, const QString &name)
{
    const int i = args.indexOf(name);
    return (i >= 0 && i + 1 < args.size()) ? args.at(i + 1) : QString();
}

bool CliHasFlag(const QStringList &args, const QString &name)
{
    return args.contains(name);
}

bool CliOpenDatabase()
{
    LinkConfig link;
    if (!ReadLink(&link)) {
        Err(QStringLiteral("没有找到数据库连接参数文件 ") + AliasFilePath()
            + QStringLiteral("，请先运行 orbcashier-cli init --data DIR"));
        return false;
    }
    Database::Open(link);
    InitAfterConnect(link.dataDir);
    return true;
}

int RunInitCommand(const QStringList &args)
{
    const QString data = CliOption(args, QStringLiteral("--data"));
    if (data.isEmpty()) {
        Err(QStringLiteral("必须给出数据目录 --data DIR"));
        return 2;
    }
    const QString pg = CliOption(args, QStringLiteral("--pg"));
    LinkConfig link = pg.isEmpty() ? LinkConfig{} : ParsePostgresLink(pg);
    if (pg.isEmpty())
        link.driver = QStringLiteral("QSQLITE");
    link.dataDir = QDir(data).absolutePath();
    QDir().mkpath(link.dataDir);
    QString error;
    if (!WriteLink(link, &error)) {
        Err(error);
        return 1;
    }
    Database::Open(link);
    InitAfterConnect(link.dataDir);

    EnrolmentInput in;
    in.companyName = CliOption(args, QStringLiteral("--company"));
    in.userId = CliOption(args, QStringLiteral("--user"));
    in.userName = CliOption(args, QStringLiteral("--name"));
    in.password = CliOption(args, QStringLiteral("--password"));
    const int given = !in.companyName.isEmpty() + !in.userId.isEmpty() + !in.userName.isEmpty()
                      + !in.password.isEmpty();
    if (given == 0)
        return 0;
    if (given != 4) {
        Err(QStringLiteral("注册需要同时给出 --company --user --name --password"));
        return 2;
    }
    const QString failure = Enrol(in);
    if (!failure.isEmpty()) {
        Err(failure);
        return 1;
    }
    return 0;
}

int RunEnsureLinkCommand(const QStringList &args)
{
    LinkConfig existing;
    if (ReadLink(&existing))
        return 0;
    return RunInitCommand(args);
}

int RunSqlCommand(const QStringList &args)
{
    if (args.size() != 1) {
        Err(QStringLiteral("用法: orbcashier-cli sql \"<statement>\""));
        return 2;
    }
    if (!CliOpenDatabase())
        return 1;
    try {
        QSqlQuery q = Database::Exec(args.first());
        if (!q.isSelect())
            return 0;
        const int n = q.record().count();
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < n; ++i)
                cells << FieldText(q.value(i));
            Out(cells.join(QLatin1Char('\t')));
        }
        return 0;
    } catch (const std::exception &e) {
        TranslateException(nullptr, e);
        return 1;
    }
}

int RunCapitalCommand(const QStringList &args)
{
    if (args.size() != 1) {
        Err(QStringLiteral("用法: orbcashier-cli capital <amount>"));
        return 2;
    }
    Out(CapitalAmount(args.first()));
    return 0;
}

int RunRoundCommand(const QStringList &args)
{
    if (args.size() != 3) {
        Err(QStringLiteral("用法: orbcashier-cli round <decimals> <rule> <value>"));
        return 2;
    }
    Out(RoundToText(args[0].toInt(), args[1], TextToNumber(args[2])));
    return 0;
}

} // namespace Orb
