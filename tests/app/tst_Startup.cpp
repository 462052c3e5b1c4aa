// The start-up sequence up to the user count, and the command-line tool.
#include "app/DataModule.h"
#include "app/Enrolment.h"
#include "app/Startup.h"
#include "common/TestDb.h"
#include "data/ErrorTranslation.h"
#include "data/DbError.h"
#include "data/OrbFun.h"
#include "data/OrbThread.h"
#include "data/ThreadForm.h"
#include "data/TestSupport.h"

#include <QApplication>
#include <QPushButton>
#include <QFile>
#include <QProcess>
#include <QtTest>

using namespace Orb;

class TestStartup : public QObject {
    Q_OBJECT
public:
    explicit TestStartup(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
    }
    void cleanup() { m_db.reset(); }

    void runTimeValuesOnAnEmptyDatabase()
    {
        ReadStartupValues();
        QCOMPARE(CompanyTitle, QString());
        QCOMPARE(EmployeeIDCaption, QStringLiteral("员工编号"));
        QCOMPARE(EmployeeNameCaption, QStringLiteral("员工姓名"));
        QVERIFY(FinanceFormat);
        QCOMPARE(CountSystemUsers(), 0);

        QVERIFY(ExecSql(QStringLiteral("INSERT INTO SYS_EMPLOYEE_FIELD_TABLE(FIELD_NAME,"
                                       "FIELD_DISPLAY_NAME) VALUES('EMPLOYEE_ID','工号')")));
        QVERIFY(ExecSql(QStringLiteral("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('非财务格式','是')")));
        ReadStartupValues();
        QCOMPARE(EmployeeIDCaption, QStringLiteral("工号"));
        QVERIFY(!FinanceFormat);
    }

    void usersThatAreNotSystemUsersLeadToEnrolment()
    {
        QVERIFY(ExecSql(QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,SYS_USER,STOP_RIGHT) "
                                       "VALUES('U1','李四','否','有效')")));
        QCOMPARE(CountSystemUsers(), 0);
    }

    void enrolmentWritesInOrder()
    {
        EnrolmentInput in{QStringLiteral(" 华夏'公司 "), "100080", "", "010-1", QStringLiteral("北京"),
                          "ADMIN", QStringLiteral("张三"), " pw ", ""};
        QCOMPARE(Enrol(in), QString());
        QCOMPARE(GetSqlText("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001' "
                            "AND PRIOR_ID = 'G002' AND ORDER_ID = 1"),
                 QStringLiteral("华夏'公司"));
        QCOMPARE(CountSystemUsers(), 1);
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'ADMIN' AND "
                              "DElETE_RIGHT = '是' AND CURRENCY_RIGHT = '是'"),
                 10.0);
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_PRINT_NAME_TABLE WHERE PRINT_TYPE = 'M'"), 5.0);
        QVERIFY(LogonSysUser);
        QCOMPARE(LogonUserID, QString("ADMIN"));

        // A second enrolment updates the root and replaces user and rights.
        in.companyName = QStringLiteral("新公司");
        QCOMPARE(Enrol(in), QString());
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_COMPANY_TABLE"), 1.0);
        QCOMPARE(GetSqlText("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE"), QStringLiteral("新公司"));
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_USER_TABLE"), 1.0);
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_RIGHT_TABLE"), 10.0);
        const QString hash = GetSqlText("SELECT USE_PASSWORD FROM SYS_USER_TABLE");
        QVERIFY(hash.startsWith("$argon2id$"));
    }

    void cleanupOfProgramDir()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("Data"));
        for (const char *name : {"X.DB", "x.mb", "SYS_BACK_TABLE.DB", "keep.txt", "Data/IN.DB"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        DeriveDirectories(dir.filePath("Data"));
        QCOMPARE(ProgramDir, QDir::cleanPath(dir.path()));
        QCOMPARE(CleanTableFiles(ProgramDir), 2);
        QVERIFY(!QFile::exists(dir.filePath("X.DB")));
        QVERIFY(!QFile::exists(dir.filePath("x.mb")));
        QVERIFY(QFile::exists(dir.filePath("SYS_BACK_TABLE.DB")));
        QVERIFY(QFile::exists(dir.filePath("keep.txt")));
        QVERIFY(QFile::exists(dir.filePath("Data/IN.DB")));
        QCOMPARE(CleanTableFiles(dir.filePath("missing")), -1);
    }

    void missingLinkShowsTheHelpText()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        RecordingMessageSink sink;
        TDM dm;
        QVERIFY(dm.Terminate());
        QCOMPARE(sink.texts(), QStringList{kMissingLinkText});
        QVERIFY(kMissingLinkText.contains(QStringLiteral("打勾,然后重新打开软件。\n\r2.如果打勾后")));
        qunsetenv("XDG_CONFIG_HOME");
    }

    void conversionAndAbortMessages()
    {
        RecordingMessageSink sink;
        Guarded([] { throw EConvertError("'2009-02-30' is not a valid date"); });
        Guarded([] { Abort(); });
        Guarded([] { throw EConvertError("Format '%d' invalid or incompatible with argument"); });
        QCOMPARE(sink.texts(), (QStringList{QStringLiteral("请按格式YYYY-MM-DD 输入日期"),
                                            QStringLiteral("指定的格式与参数类型不匹配!")}));
    }

    void progressWindow()
    {
        TOrbThread thread;
        thread.Stop();   // harmless before Start
        QVERIFY(!thread.Active());
        thread.Caption = QStringLiteral("正在读取数据，请稍候.....");
        thread.ShowBar1 = true;
        thread.SetMax1(10);
        thread.Start();
        TThreadForm *first = thread.window();
        thread.Start();
        QCOMPARE(thread.window(), first);
        QVERIFY(thread.Active());
        QVERIFY(thread.ProgressBar1());
        QVERIFY(!thread.ProgressBar2());
        QCOMPARE(first->windowTitle(), thread.Caption);
        thread.SetPosition1(4);
        QTest::mouseClick(first->button_close, Qt::LeftButton);
        thread.ProgressBar1();
        QVERIFY(thread.StopRequested());
        thread.Stop();
        QVERIFY(!thread.Active());
        QVERIFY(!thread.window());
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestStartup)
#include "tst_Startup.moc"
