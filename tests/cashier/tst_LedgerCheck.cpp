// Recomputing the ledgers from the verified journal, on both engines.
#include "cashier/LedgerCheck.h"
#include "cashier/LedgerFixture.h"
#include "cashier/Posting.h"
#include "cashier/VerifyEntry.h"
#include "common/TestDb.h"
#include "data/OrbFun.h"
#include "data/Settings.h"
#include "data/TestSupport.h"

#include <QApplication>
#include <QtTest>

using namespace Orb;
using namespace OrbTest;

namespace {

QStringList Differences()
{
    QStringList out;
    for (const LedgerDifference &d : CheckLedgers())
        out << d.text();
    return out;
}

} // namespace

class TestLedgerCheck : public QObject {
    Q_OBJECT
public:
    explicit TestLedgerCheck(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        LogonUserName = QStringLiteral("张三");
        WorkDate = QStringLiteral("2008-11-30");
        AddAccount("001", QStringLiteral("现金"), 1);
        AddAccount("002", QStringLiteral("银行"), 2);
        AddEntry("R1", "001", QDate(2008, 9, 10), 100, 0);
        AddEntry("R2", "001", QDate(2008, 9, 10), 0, 30.555);
        AddEntry("R3", "001", QDate(2008, 10, 3), 50, 0);
        AddEntry("R4", "002", QDate(2008, 10, 3), 8, 0);
        AddEntry("R5", "001", QDate(2008, 11, 1), 1, 0);
        for (const char *id : {"R1", "R2", "R3", "R4", "R5"})
            QCOMPARE(VerifyEntry(id, kStatusVerified), VerifyResult::Changed);
        QCOMPARE(VerifyEntry("R5", kStatusUnverified), VerifyResult::Changed);
    }
    void cleanup() { m_db.reset(); }

    void postedLedgersAgree()
    {
        QCOMPARE(Differences(), QStringList{});
        // Month rows keep their ranges when the closing day changes later.
        QVERIFY(WriteSetting(QStringLiteral("GACCOUNT_DAY"), QStringLiteral("28")));
        QCOMPARE(Differences(), QStringList{});
    }

    void handEditIsReported()
    {
        QVERIFY(ExecSql("UPDATE ORB_MONEY_DAY_TABLE SET TODAY_DAY_MONEY = 999 WHERE "
                        "MONEY_DAY_DATE = '09/10/2008' AND MONEY_ACCOUNT_ID = '001'"));
        QVERIFY(ExecSql("UPDATE ORB_MONEY_MONTH_TABLE SET INTO_MONTH_MONEY = 7 WHERE "
                        "MONEY_ACCOUNT_ID = '002'"));
        QCOMPARE(Differences(),
                 (QStringList{"日台账 资金账号:现金(001) 2008-09-10 本日结存: 台账 999.00, 应为 69.44",
                              "月台账 资金账号:银行(002) 2008年10月 本月借入: 台账 7.00, 应为 8.00"}));
    }

    void missingRowsAndUnpostedEntriesAreReported()
    {
        QVERIFY(ExecSql("DELETE FROM ORB_MONEY_MONTH_TABLE WHERE MONEY_MONTH = '2008年10月' "
                        "AND MONEY_ACCOUNT_ID = '001'"));
        // Verified behind the posting's back: nothing reached the ledgers.
        AddEntry("R6", "002", QDate(2008, 10, 3), 2, 0);
        QVERIFY(ExecSql("UPDATE ORB_INTO_OUT_MONEY_TABLE SET STATUS = '已审核' "
                        "WHERE MONEY_RECORD_ID = 'R6'"));
        QCOMPARE(Differences(),
                 (QStringList{"月台账 资金账号:现金(001) 2008年10月 缺少台账记录: 本月结存 119.44",
                              "日台账 资金账号:银行(002) 2008-10-03 本日借入: 台账 8.00, 应为 10.00",
                              "日台账 资金账号:银行(002) 2008-10-03 本日结存: 台账 8.00, 应为 10.00",
                              "月台账 资金账号:银行(002) 2008年10月 本月借入: 台账 8.00, 应为 10.00",
                              "月台账 资金账号:银行(002) 2008年10月 本月结存: 台账 8.00, 应为 10.00"}));
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestLedgerCheck)
#include "tst_LedgerCheck.moc"
