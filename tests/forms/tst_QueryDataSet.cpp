// A TOrbQuery exported to a worksheet file: field types decide the records.
#include "BiffRecords.h"

#include "common/TestDb.h"
#include "components/OrbQueryUnit.h"
#include "data/OrbFun.h"
#include "data/TestSupport.h"
#include "forms/DatasetToExcel.h"
#include "forms/QueryDataSet.h"

#include <QApplication>
#include <QtTest>

using namespace Orb;
using namespace SpreadsheetTest;

class TestQueryDataSet : public QObject {
    Q_OBJECT
    std::unique_ptr<OrbTest::TestDatabase> m_db;

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(SqlEngine::Sqlite);
        QVERIFY(m_db->ok());
    }
    void cleanup() { m_db.reset(); }

    void exportsTheRowsAndKeepsThePosition()
    {
        QVERIFY(ExecSql(QStringLiteral(
            "INSERT INTO ORB_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME,"
            "ORDER_ID,START_MONEY_ACCOUNT,START_MONEY_ACCOUNT_DATE,NOTE) VALUES "
            "('G001001','G001','工商银行',1,1234.5,'03/05/2024','622202123456')")));
        QVERIFY(ExecSql(QStringLiteral(
            "INSERT INTO ORB_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME,"
            "ORDER_ID) VALUES ('G001002','G001','现金',2)")));
        TOrbQuery query;
        query.SQL = "SELECT MONEY_ACCOUNT_ID, MONEY_ACCOUNT_NAME, ORDER_ID, START_MONEY_ACCOUNT, "
                    "START_MONEY_ACCOUNT_DATE FROM ORB_MONEY_ACCOUNT_TABLE ORDER BY ORDER_ID";
        query.OpenQuery();
        query.MoveTo(1);
        TQueryDataSet set(&query);
        RecordingMessageSink sink;
        TDatasetToExcel x;
        x.Dataset = &set;
        const QString file = m_db->dir() + "/accounts.xls";
        QVERIFY(x.ExportToFile(file,
                               {{"MONEY_ACCOUNT_NAME", QStringLiteral("账户")},
                                {"ORDER_ID", QStringLiteral("序")},
                                {"START_MONEY_ACCOUNT", QStringLiteral("期初")},
                                {"START_MONEY_ACCOUNT_DATE", QStringLiteral("日期")}},
                               {}, {}));
        QCOMPARE(Cells(file).mid(4), (QStringList{
            "L1,0:工商银行", "R1,1:1", "N1,2:1234.5",
            "L1,3:" + query.textAt(0, query.fieldIndex("START_MONEY_ACCOUNT_DATE")),
            "L2,0:现金", "R2,1:2", "B2,2", "B2,3"}));
        QCOMPARE(query.RecNo(), 1);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestQueryDataSet test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_QueryDataSet.moc"
