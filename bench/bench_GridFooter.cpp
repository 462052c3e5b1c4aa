// Opens a 200,000-row journal in a TOrbNDBGrid with "@Sum" and "@Count"
// footers (offscreen) and prints: time to the first painted grid with its
// footers, rows read meanwhile, the footer texts, and the same sums computed
// by reading every row, to show they agree.
// Usage: QT_QPA_PLATFORM=offscreen bench_GridFooter [rows]
//        (SQLite in a temporary directory; ORB_BENCH_PG="host=…;port=…;user=…;database=…")
#include "components/OrbDataSource.h"
#include "components/OrbNDBGrid.h"
#include "components/OrbQueryUnit.h"
#include "data/Database.h"
#include "data/OrbFun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

using namespace Orb;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rows = argc > 1 ? atoi(argv[1]) : 200000;
    QTemporaryDir dir;
    LinkConfig link;
    const QString pg = qEnvironmentVariable("ORB_BENCH_PG");
    if (pg.isEmpty())
        link.driver = "QSQLITE";
    else
        link = ParsePostgresLink(pg);
    link.dataDir = dir.path();
    Database::Open(link);
    ExecSql("DELETE FROM ORB_INTO_OUT_MONEY_TABLE");

    QElapsedTimer t;
    t.start();
    {
        Transaction tx;
        QSqlQuery ins = Database::Prepare(
            "INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,"
            "MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER,STATUS)"
            " VALUES(?,?,?,?,?,?,?,?)");
        for (int i = 0; i < rows; ++i) {
            ins.addBindValue(QString::asprintf("R%011d", i));
            ins.addBindValue(QString::asprintf("%09d", i));
            ins.addBindValue(QStringLiteral("001"));
            ins.addBindValue(QStringLiteral("001"));
            ins.addBindValue(QDate(2008, 1, 1).addDays(i % 1500).toString("yyyy-MM-dd"));
            ins.addBindValue(double(i % 1000) + 0.25);
            ins.addBindValue(double(i % 7));
            ins.addBindValue(QStringLiteral("未审核"));
            Database::ExecPrepared(ins);
        }
        tx.commit();
    }
    std::printf("filled %d rows in %.2f s\n", rows, t.elapsed() / 1000.0);

    QWidget window;
    TOrbQuery q;
    q.setTableName("ORB_INTO_OUT_MONEY_TABLE");
    q.SQL = "SELECT MONEY_RECORD_ID,MONEY_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER "
            "FROM ORB_INTO_OUT_MONEY_TABLE ORDER BY MONEY_DATE,MONEY_RECORD_ID";
    TFieldsData count{"MONEY_RECORD_ID", QStringLiteral("流水号")};
    count.SumKind = "@Count";
    TFieldsData into{"MONEY_INTO_NUMBER", QStringLiteral("借方")};
    into.SumKind = "@Sum";
    into.DataKind = "N";
    TFieldsData out{"MONEY_OUT_NUMBER", QStringLiteral("贷方")};
    out.SumKind = "@Sum";
    out.DataKind = "N";
    auto fd = MakeArray<TFieldsData>({count, TFieldsData{"MONEY_ID"}, TFieldsData{"MONEY_DATE"},
                                      into, out});
    q.SetFieldsData(fd);
    auto *ds = new TOrbDataSource(&window);
    ds->setDataSet(&q);
    auto *grid = new TOrbNDBGrid(&window);
    grid->setDataSource(ds);
    grid->SetFieldsData(fd);
    grid->resize(700, 400);
    window.resize(700, 400);

    t.restart();
    q.OpenQuery();
    window.show();
    app.processEvents();
    (void)window.grab();
    const double openMs = t.nsecsElapsed() / 1e6;
    std::printf("open, footers and first paint: %.1f ms, %d rows read\n", openMs, q.loadedCount());
    std::printf("footers: count %s, into %s, out %s\n",
                qPrintable(grid->FooterText("MONEY_RECORD_ID")),
                qPrintable(grid->FooterText("MONEY_INTO_NUMBER")),
                qPrintable(grid->FooterText("MONEY_OUT_NUMBER")));
    t.restart();
    grid->computeFooters();
    std::printf("recomputing the footers: %.1f ms\n", t.nsecsElapsed() / 1e6);

    // The same figures by reading every row.
    t.restart();
    double sumInto = 0, sumOut = 0;
    const int n = q.RecordCount();
    for (int r = 0; r < n; ++r) {
        sumInto += q.value(r, 3).toDouble();
        sumOut += q.value(r, 4).toDouble();
    }
    std::printf("by reading all rows: %.1f ms, %d rows, into %.2f, out %.2f\n",
                t.nsecsElapsed() / 1e6, n, sumInto, sumOut);
    return 0;
}
