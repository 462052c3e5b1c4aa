// Opens a 200,000-row journal through TOrbQuery (time to the first row, to
// the last row, peak memory) and appends, edits and saves 1,000 records.
// Usage: bench_OrbQuery [rows]   (SQLite in a temporary directory;
//        set ORB_BENCH_PG="host=…;port=…;user=…;database=…" for PostgreSQL)
#include "components/OrbQueryUnit.h"
#include "data/Database.h"
#include "data/OrbFun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

using namespace Orb;

namespace {

long PeakRssKb()
{
    QFile f("/proc/self/status");
    f.open(QIODevice::ReadOnly);
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

long RssKb()
{
    QFile f("/proc/self/status");
    f.open(QIODevice::ReadOnly);
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? atoi(argv[1]) : 200000;
    QTemporaryDir dir;
    LinkConfig link;
    const QString pg = qEnvironmentVariable("ORB_BENCH_PG");
    if (pg.isEmpty()) {
        link.driver = "QSQLITE";
    } else {
        link = ParsePostgresLink(pg);
    }
    link.dataDir = dir.path();
    Database::Open(link);
    ExecSql("DELETE FROM ORB_INTO_OUT_MONEY_TABLE");

    QElapsedTimer t;
    t.start();
    {
        Transaction tx;
        QSqlQuery ins = Database::Prepare(
            "INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,"
            "MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER,MONEY_TEXT_FIELD1,STATUS)"
            " VALUES(?,?,?,?,?,?,?,?,?)");
        const QDate start(2008, 1, 1);
        for (int i = 0; i < rows; ++i) {
            ins.addBindValue(QString::asprintf("R%011d", i));
            ins.addBindValue(QString::asprintf("%09d", i));
            ins.addBindValue(QString("001%1").arg(i % 50, 3, 10, QChar('0')));
            ins.addBindValue(QString("00%1").arg(i % 5 + 1));
            ins.addBindValue(start.addDays(i % 1500).toString("yyyy-MM-dd"));
            ins.addBindValue(double(i % 1000) + 0.25);
            ins.addBindValue(0.0);
            ins.addBindValue(QStringLiteral("办公用品采购及差旅费用报销"));
            ins.addBindValue(QStringLiteral("未审核"));
            Database::ExecPrepared(ins);
        }
        tx.commit();
    }
    std::printf("filled %d rows in %.2f s\n", rows, t.elapsed() / 1000.0);

    const long rssBefore = RssKb();
    TOrbQuery q;
    q.setTableName("ORB_INTO_OUT_MONEY_TABLE");
    q.SQL += " ORDER BY MONEY_DATE, MONEY_RECORD_ID";
    t.restart();
    q.OpenQuery();
    const QString first = q.text("MONEY_ID");
    const double firstMs = t.nsecsElapsed() / 1e6;
    std::printf("open to first row: %.1f ms (row %s, %d rows read, RSS +%ld KB)\n", firstMs,
                qPrintable(first), q.loadedCount(), RssKb() - rssBefore);
    t.restart();
    const qint64 total = q.TotalRecordCount();
    const double sum = q.SqlSum("MONEY_INTO_NUMBER");
    std::printf("count and footer sum from SQL: %.1f ms (%lld rows, sum %.2f)\n",
                t.nsecsElapsed() / 1e6, total, sum);
    t.restart();
    q.Last();
    std::printf("to the last row: %.1f ms (%d rows read, RSS +%ld KB, peak RSS %ld KB)\n",
                t.nsecsElapsed() / 1e6, q.loadedCount(), RssKb() - rssBefore, PeakRssKb());

    TOrbQuery w;
    w.setTableName("ORB_INTO_OUT_MONEY_TABLE");
    w.SQL = "SELECT * FROM ORB_INTO_OUT_MONEY_TABLE WHERE MONEY_ACCOUNT_ID = 'X'";
    w.SetInsertData(MakeArray<TInsertData>({{"MONEY_ID", "", "", 9, "", nullptr, "C", "B"},
                                            {"CREATE_NAME", "", "", 0, "bench", nullptr, "A", ""}}));
    w.OpenQuery();
    t.restart();
    for (int i = 0; i < 1000; ++i) {
        w.AppendRecord();
        w.setText("MONEY_RECORD_ID", QString::asprintf("N%011d", i));
        w.setText("MONEY_ACCOUNT_ID", "X");
        w.setText("MONEY_DATE", "2009-01-05");
        w.setText("MONEY_INTO_NUMBER", "12.5");
        w.SaveRecord();
    }
    const double appendS = t.elapsed() / 1000.0;
    t.restart();
    w.First();
    for (int i = 0; i < 1000; ++i) {
        w.EditRecord();
        w.setText("MONEY_OUT_NUMBER", QString::number(i));
        w.SaveRecord();
        w.Next();
    }
    const double editS = t.elapsed() / 1000.0;
    std::printf("append+save 1000: %.2f s (%.0f rows/s); edit+save 1000: %.2f s (%.0f rows/s)\n",
                appendS, 1000 / appendS, editS, 1000 / editS);
    std::printf("peak RSS %ld KB\n", PeakRssKb());
    return 0;
}
