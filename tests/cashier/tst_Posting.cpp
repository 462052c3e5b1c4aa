// PostMovement and the verify step on both engines.
#include "cashier/Posting.h"
#include "cashier/VerifyEntry.h"
#include "common/TestDb.h"
#include "cashier/LedgerFixture.h"
#include "data/Database.h"
#include "data/OrbFun.h"
#include "data/Settings.h"
#include "data/TestSupport.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace Orb;
using namespace OrbTest;

namespace {

const QString kCash = QStringLiteral("现金");
const QString kVerifiedRefusal =
    QStringLiteral("台帐数据库中该年月该资金账号的台帐记录是已审核的，不能审核该项收支记录");

bool Post(const QDate &d, double in, double out, bool apply = true,
          const QString &account = QStringLiteral("001"))
{
    return PostMovement(d, account, kCash, in, out, apply);
}

} // namespace

class TestPosting : public QObject {
    Q_OBJECT
public:
    explicit TestPosting(SqlEngine engine) : m_engine(engine) {}

private:
    // Makes every write to the day ledger fail, as a full disk or a broken
    // connection would in the middle of a posting.
    void breakDayLedger()
    {
        QSqlQuery q(Database::Connection());
        if (m_engine == SqlEngine::Postgres) {
            QVERIFY2(q.exec("CREATE FUNCTION orb_day_fault() RETURNS trigger AS $$ BEGIN "
                            "RAISE EXCEPTION 'day ledger fault'; END $$ LANGUAGE plpgsql"),
                     qPrintable(q.lastError().text()));
            QVERIFY(q.exec("CREATE TRIGGER orb_day_fault BEFORE INSERT OR UPDATE ON "
                           "ORB_MONEY_DAY_TABLE FOR EACH ROW EXECUTE FUNCTION orb_day_fault()"));
        } else {
            for (const char *when : {"INSERT", "UPDATE"})
                QVERIFY2(q.exec(QStringLiteral("CREATE TRIGGER orb_day_fault_%1 BEFORE %1 ON "
                                               "ORB_MONEY_DAY_TABLE BEGIN SELECT RAISE(ABORT, "
                                               "'day ledger fault'); END")
                                    .arg(QLatin1String(when))),
                         qPrintable(q.lastError().text()));
        }
    }

private slots:
    void init()
    {
        m_db = std::make_unique<TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        LogonUserName = QStringLiteral("张三");
        WorkDate = QStringLiteral("2008-10-15");
        AddAccount("001", kCash);
    }
    void cleanup() { m_db.reset(); }

    void firstAndSecondEntryOfADay()
    {
        RecordingMessageSink sink;
        QVERIFY(Post(QDate(2008, 9, 10), 100, 0));
        QCOMPARE(DayRows(), QStringList{"2008-09-10 0 100 0 100 未审核"});
        QCOMPARE(MonthRows(),
                 QStringList{"2008年09月 2008-09-01 2008-09-30 0 100 0 100 未审核"});
        QCOMPARE(GetSqlText("SELECT CREATE_NAME FROM ORB_MONEY_DAY_TABLE"), QString("张三"));
        QCOMPARE(GetSqlText("SELECT CREATE_DATE FROM ORB_MONEY_MONTH_TABLE"),
                 QString("2008-10-15"));

        QVERIFY(Post(QDate(2008, 9, 10), 0, 30.5));
        QCOMPARE(DayRows(), QStringList{"2008-09-10 0 100 30.5 69.5 未审核"});
        QCOMPARE(MonthRows(),
                 QStringList{"2008年09月 2008-09-01 2008-09-30 0 100 30.5 69.5 未审核"});
        QVERIFY(sink.entries.isEmpty());
    }

    void laterRowStartsFromPreviousClosing()
    {
        QVERIFY(Post(QDate(2008, 9, 10), 100, 0));
        QVERIFY(Post(QDate(2008, 10, 3), 0, 40));
        QCOMPARE(DayRows(), (QStringList{"2008-09-10 0 100 0 100 未审核",
                                         "2008-10-03 100 0 40 60 未审核"}));
        QCOMPARE(MonthRows(),
                 (QStringList{"2008年09月 2008-09-01 2008-09-30 0 100 0 100 未审核",
                              "2008年10月 2008-10-01 2008-10-31 100 0 40 60 未审核"}));
    }

    // In and out take the amounts as entered; balances move by round2(in - out).
    void backDatedEntryShiftsEveryLaterRow()
    {
        QVERIFY(Post(QDate(2008, 9, 10), 100, 0));
        QVERIFY(Post(QDate(2008, 10, 3), 50, 0));
        QVERIFY(Post(QDate(2008, 11, 20), 0, 20));
        QVERIFY(Post(QDate(2008, 9, 5), 10.005, 0));
        QCOMPARE(DayRows(), (QStringList{"2008-09-05 0 10.005 0 10.01 未审核",
                                         "2008-09-10 10.01 100 0 110.01 未审核",
                                         "2008-10-03 110.01 50 0 160.01 未审核",
                                         "2008-11-20 160.01 0 20 140.01 未审核"}));
        QCOMPARE(MonthRows(),
                 (QStringList{"2008年09月 2008-09-01 2008-09-30 0 110.005 0 110.01 未审核",
                              "2008年10月 2008-10-01 2008-10-31 110.01 50 0 160.01 未审核",
                              "2008年11月 2008-11-01 2008-11-30 160.01 0 20 140.01 未审核"}));
        // A new first month starts from 0 and shifts the months after it.
        QVERIFY(Post(QDate(2008, 8, 31), 0, 0.1));
        QCOMPARE(MonthRows().first(),
                 QString("2008年08月 2008-08-01 2008-08-31 0 0 0.1 -0.1 未审核"));
        QCOMPARE(MonthRows().last(),
                 QString("2008年11月 2008-11-01 2008-11-30 159.91 0 20 139.91 未审核"));
    }

    void applyThenRemoveLeavesTheLedgersAsBefore()
    {
        QVERIFY(Post(QDate(2008, 9, 10), 100, 0));
        QVERIFY(Post(QDate(2008, 10, 3), 0, 40));
        const QStringList before = Ledgers();
        QVERIFY(Post(QDate(2008, 9, 10), 12.345, 2.2));
        QVERIFY(Ledgers() != before);
        QVERIFY(Post(QDate(2008, 9, 10), 12.345, 2.2, false));
        QCOMPARE(Ledgers(), before);

        // The only entry of a day taken out again: the row stays with zeros.
        QVERIFY(Post(QDate(2008, 9, 20), 7, 0));
        QVERIFY(Post(QDate(2008, 9, 20), 7, 0, false));
        QCOMPARE(DayRows().at(1), QString("2008-09-20 100 0 0 100 未审核"));
    }

    void zeroEntryStillCreatesTheRows()
    {
        QVERIFY(Post(QDate(2008, 9, 10), 0, 0));
        QCOMPARE(DayRows(), QStringList{"2008-09-10 0 0 0 0 未审核"});
        QCOMPARE(MonthRows().size(), 1);
    }

    void closingDayDecidesTheMonth()
    {
        QVERIFY(WriteSetting(QStringLiteral("GACCOUNT_DAY"), QStringLiteral("28")));
        QVERIFY(Post(QDate(2008, 9, 29), 10, 0));
        QVERIFY(Post(QDate(2008, 9, 28), 5, 0));
        QCOMPARE(MonthRows(),
                 (QStringList{"2008年09月 2008-08-29 2008-09-28 0 5 0 5 未审核",
                              "2008年10月 2008-09-29 2008-10-28 5 10 0 15 未审核"}));
    }

    // Each refusal shows its text and changes neither ledger.
    void refusals_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::newRow("verified day row, month row untouched")
            << "UPDATE ORB_MONEY_DAY_TABLE SET STATUS = '已审核'"
            << QString("资金账号:现金\r\n台帐日期:09/10/2008\r\n" + kVerifiedRefusal);
        QTest::newRow("verified month row")
            << "UPDATE ORB_MONEY_MONTH_TABLE SET STATUS = '已审核'"
            << QString("资金账号:现金\r\n台帐年月:2008年09月\r\n" + kVerifiedRefusal);
        QTest::newRow("date in a month row of another label")
            << "UPDATE ORB_MONEY_MONTH_TABLE SET MONEY_MONTH = '2008年08月'"
            << QString("帐款日期:09/10/2008\n\r资金账号:现金\r\n台帐年月:2008年09月\r\n"
                       "该帐款日期在台帐里记录包含在台帐年月 2008年08月 里\r\n"
                       "请先修改台帐里的台帐年月");
        QTest::newRow("label with another range")
            << "UPDATE ORB_MONEY_MONTH_TABLE SET MONEY_START_DATE = '09/15/2008'"
            << QString("资金账号:现金\r\n台帐年月:2008年09月\r\n"
                       "日期范围 09/01/2008 <----> 09/30/2008\r\n台帐年月:2008年09月\r\n"
                       "日期范围 09/15/2008 <----> 09/30/2008\r\n"
                       "同一台帐年月,不同的日期范围,不能审核记录,请修改台帐里面的该台帐年月的日期范围");
        QTest::newRow("date in two month rows")
            << "INSERT INTO ORB_MONEY_MONTH_TABLE(MONEY_ACCOUNT_ID,MONEY_MONTH,MONEY_START_DATE,"
               "MONEY_END_DATE,STATUS) VALUES('001','2008年10月','09/05/2008','10/31/2008','未审核')"
            << QString("帐款日期:09/10/2008\n\r资金账号:现金\r\n"
                       "该日期包含在 2 个台帐记录里,请先修改这些台帐的起始和结束日期范围");
    }
    void refusals()
    {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        QVERIFY(Post(QDate(2008, 9, 10), 100, 0));
        QVERIFY(ExecSql(setup));
        const QStringList before = Ledgers();
        for (bool apply : {true, false}) {
            RecordingMessageSink sink;
            // The range refusal belongs to creating a month row, so only applying meets it.
            if (!apply && QTest::currentDataTag() == QLatin1String("label with another range"))
                continue;
            QVERIFY(!Post(QDate(2008, 9, 10), 1, 0, apply));
            QCOMPARE(sink.texts(), QStringList{message});
            QCOMPARE(sink.entries.first().kind, RecordingMessageSink::Warning);
            QCOMPARE(Ledgers(), before);
        }
    }

    void accountNameWithQuoteInMessages()
    {
        AddAccount("002", "O'Brien 银行", 2);
        AddEntry("R1", "002", QDate(2008, 9, 10), 5, 0);
        QVERIFY(ExecSql("INSERT INTO ORB_MONEY_DAY_TABLE(MONEY_ACCOUNT_ID,MONEY_DAY_DATE,STATUS) "
                        "VALUES('002','09/10/2008','已审核')"));
        RecordingMessageSink sink;
        QCOMPARE(VerifyEntry("R1", kStatusVerified), VerifyResult::Refused);
        QCOMPARE(sink.last(),
                 QString("资金账号:O'Brien 银行\r\n台帐日期:09/10/2008\r\n" + kVerifiedRefusal));
        QCOMPARE(EntryStatus("R1"), QString("未审核"));
    }

    void verifyEntryWritesStatusAndStamps()
    {
        AddEntry("R1", "001", QDate(2008, 9, 10), 100, 0);
        QCOMPARE(VerifyEntry("R1", kStatusVerified), VerifyResult::Changed);
        QCOMPARE(Rows("SELECT STATUS,VERIFY_NAME,VERIFY_DATE FROM ORB_INTO_OUT_MONEY_TABLE"),
                 QStringList{"已审核 张三 2008-10-15"});
        QCOMPARE(DayRows(), QStringList{"2008-09-10 0 100 0 100 未审核"});
        // The same status again posts nothing.
        QCOMPARE(VerifyEntry("R1", kStatusVerified), VerifyResult::Unchanged);
        QCOMPARE(DayRows(), QStringList{"2008-09-10 0 100 0 100 未审核"});
        QCOMPARE(VerifyEntry("R1", kStatusUnverified), VerifyResult::Changed);
        QCOMPARE(EntryStatus("R1"), QString("未审核"));
        QCOMPARE(DayRows(), QStringList{"2008-09-10 0 0 0 0 未审核"});
    }

    void verifyEntryRefusals()
    {
        AddEntry("R1", "001", QDate(), 100, 0);
        AddEntry("R2", "", QDate(2008, 9, 10), 100, 0);
        RecordingMessageSink sink;
        QCOMPARE(VerifyEntry("R1", kStatusVerified), VerifyResult::Refused);
        QCOMPARE(VerifyEntry("R2", kStatusVerified), VerifyResult::Refused);
        QCOMPARE(VerifyEntry("X'1", kStatusVerified), VerifyResult::Refused);
        QVERIFY(!Post(QDate(), 1, 0));
        QCOMPARE(sink.texts(), (QStringList{"没有: 账款日期不能审核", "没有: 资金账号不能审核",
                                            "没有找到内部编号为 X'1 的资金借贷记录",
                                            "没有: 账款日期不能审核"}));
        QCOMPARE(Ledgers(), QStringList{});
        QCOMPARE(EntryStatus("R1"), QString("未审核"));
    }

    // A statement failing after the month ledger was written: the month rows,
    // the day rows and the entry's status stay as they were.
    void faultAfterMonthStatementsChangesNothing_data()
    {
        QTest::addColumn<bool>("dayRowExists");
        QTest::newRow("new day row") << false;
        QTest::newRow("existing day row") << true;
    }
    void faultAfterMonthStatementsChangesNothing()
    {
        QFETCH(bool, dayRowExists);
        AddEntry("R0", "001", QDate(2008, 9, dayRowExists ? 10 : 3), 100, 0);
        AddEntry("R1", "001", QDate(2008, 9, 10), 25, 0);
        AddEntry("R2", "001", QDate(2008, 10, 2), 0, 5);
        QCOMPARE(VerifyEntry("R0", kStatusVerified), VerifyResult::Changed);
        QCOMPARE(VerifyEntry("R2", kStatusVerified), VerifyResult::Changed);
        const QStringList before = Ledgers();
        breakDayLedger();
        RecordingMessageSink sink;
        QCOMPARE(VerifyEntry("R1", kStatusVerified), VerifyResult::Refused);
        QCOMPARE(sink.texts(), QStringList{"修改资金进出日台帐数据库时发生错误"});
        QCOMPARE(sink.entries.first().kind, RecordingMessageSink::Error);
        QCOMPARE(Ledgers(), before);
        QCOMPARE(EntryStatus("R1"), QString("未审核"));

        // Taking an entry out fails the same way and keeps it verified.
        sink.clear();
        QCOMPARE(VerifyEntry("R2", kStatusUnverified), VerifyResult::Refused);
        QCOMPARE(sink.texts(), QStringList{"修改资金进出日台帐数据库时发生错误"});
        QCOMPARE(Ledgers(), before);
        QCOMPARE(EntryStatus("R2"), QString("已审核"));
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestPosting)
#include "tst_Posting.moc"
