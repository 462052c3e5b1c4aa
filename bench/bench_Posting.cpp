// Verifies 10,000 journal entries (5 accounts, dates over three years, random
// order), one posting per transaction, and prints postings per second; then
// times the ledger check over the result.
// Usage: bench_Posting [entries]   (SQLite in a temporary directory;
//        set ORB_BENCH_PG="host=…;port=…;user=…;database=…" for PostgreSQL:
//        a throwaway database is created beside the given one and dropped)
#include "cashier/LedgerCheck.h"
#include "cashier/Posting.h"
#include "cashier/VerifyEntry.h"
#include "data/Database.h"
#include "data/OrbFun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace Orb;

namespace {

bool Admin(const LinkConfig &link, const QString &sql)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "bench_admin");
        db.setHostName(link.host);
        db.setPort(link.port);
        db.setUserName(link.user);
        db.setPassword(link.password);
        db.setDatabaseName(link.database);
        ok = db.open() && QSqlQuery(db).exec(sql);
    }
    QSqlDatabase::removeDatabase("bench_admin");
    return ok;
}

void Fill(int entries)
{
    Transaction t;
    for (int a = 1; a <= 5; ++a)
        ExecSqlOrThrow(QStringLiteral("INSERT INTO ORB_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,"
                                      "PRIOR_ID,MONEY_ACCOUNT_NAME,ORDER_ID) "
                                      "VALUES('00%1','G001','账号%1',%1)")
                           .arg(a));
    QRandomGenerator random(7);
    const QDate start(2006, 1, 1);
    const int days = int(start.daysTo(QDate(2008, 12, 31))) + 1;
    for (int i = 0; i < entries; ++i)
        ExecSqlOrThrow(QStringLiteral("INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,"
                                      "MONEY_ID,MONEY_TYPE_ID,MONEY_ACCOUNT_ID,MONEY_DATE,"
                                      "MONEY_INTO_NUMBER,MONEY_OUT_NUMBER,STATUS) "
                                      "VALUES('R%1','R%1','001','00%2',%3,%4,%5,'未审核')")
                           .arg(i)
                           .arg(1 + random.bounded(5))
                           .arg(DateLiteral(start.addDays(random.bounded(days))))
                           .arg(random.bounded(1000000) / 100.0)
                           .arg(random.bounded(500000) / 100.0));
    t.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int entries = argc > 1 ? atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    LinkConfig link;
    QString pgName;
    const QString pg = qEnvironmentVariable("ORB_BENCH_PG");
    if (pg.isEmpty()) {
        link.driver = "QSQLITE";
    } else {
        link = ParsePostgresLink(pg);
        pgName = QStringLiteral("orb_bench_posting_%1").arg(app.applicationPid());
        if (!Admin(link, "CREATE DATABASE " + pgName)) {
            std::fprintf(stderr, "cannot create the database %s\n", qPrintable(pgName));
            return 1;
        }
        link.database = pgName;
    }
    link.dataDir = dir.path();
    Database::Open(link);
    LogonUserName = "bench";
    WorkDate = "2009-01-15";
    Fill(entries);

    QStringList ids;
    for (int i = 0; i < entries; ++i)
        ids << QStringLiteral("R%1").arg(i);
    std::shuffle(ids.begin(), ids.end(), *QRandomGenerator::global());

    QElapsedTimer t;
    t.start();
    int changed = 0;
    for (const QString &id : ids)
        changed += VerifyEntry(id, kStatusVerified) == VerifyResult::Changed;
    const double seconds = t.nsecsElapsed() / 1e9;
    std::printf("%s: %d of %d entries verified in %.2f s: %.0f postings/s\n",
                link.isPostgres() ? "postgres" : "sqlite", changed, entries, seconds,
                changed / seconds);

    t.restart();
    const int differences = int(CheckLedgers().size());
    std::printf("check-ledgers: %d differences in %.2f s\n", differences,
                t.nsecsElapsed() / 1e9);
    Database::Close();
    if (!pgName.isEmpty()) {
        link.database = ParsePostgresLink(pg).database;
        Admin(link, "DROP DATABASE " + pgName + " WITH (FORCE)");
    }
    return differences == 0 && changed == entries ? 0 : 1;
}
