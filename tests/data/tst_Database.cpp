// The SQL helpers, quoting, transactions, settings and error translation on
// both engines.
#include "common/TestDb.h"
#include "data/DbError.h"
#include "data/ErrorTranslation.h"
#include "data/OrbFun.h"
#include "data/Settings.h"
#include "data/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QSqlQuery>
#include <QtTest>

using namespace Orb;

class TestDatabase : public QObject {
    Q_OBJECT
public:
    explicit TestDatabase(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
    }
    void cleanup() { m_db.reset(); }

    void singleValues()
    {
        QCOMPARE(GetSqlNumber("SELECT  Count(USE_ID) from SYS_USER_TABLE WHERE  SYS_USER ='是'"), 0.0);
        QCOMPARE(GetSqlText("SELECT USE_NAME FROM SYS_USER_TABLE"), QString());
        QVERIFY(ExecSql("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('amount','2,468.50')"));
        QVERIFY(ExecSql("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('word','abc')"));
        QCOMPARE(GetSqlNumber("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'amount'"), 2468.5);
        QCOMPARE(GetSqlNumber("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'word'"), 0.0);

        const QVariant none = GetSqlRow("SELECT NAME_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'x'");
        QVERIFY(none.isValid() && none.isNull());
        QVERIFY(!GetSqlRows("SELECT NAME_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'x'").isValid());
        QCOMPARE(GetSqlRow("SELECT NAME_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'word'").toString(),
                 QString("word"));
        const QVariantList row =
            GetSqlRow("SELECT NAME_ID, AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'word'").toList();
        QCOMPARE(row.size(), 2);
        QCOMPARE(row.at(1).toString(), QString("abc"));
        const QVariantList rows =
            GetSqlRows("SELECT NAME_ID, AUTO_ID FROM SYS_ID_TABLE ORDER BY NAME_ID").toList();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1).toList().at(0).toString(), QString("word"));
        QCOMPARE(GetSqlRows("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'word'").toString(),
                 QString("abc"));

        auto q = OpenSql("SELECT NAME_ID FROM SYS_ID_TABLE ORDER BY NAME_ID");
        QComboBox combo;
        combo.addItem("old");
        FillComboBoxItems(&combo, *q, "NAME_ID");
        QCOMPARE(combo.count(), 2);
        QCOMPARE(combo.itemText(0), QString("amount"));
    }

    void execSqlReportsFailureQuietly()
    {
        RecordingMessageSink sink;
        QVERIFY(!ExecSql("INSERT INTO NO_SUCH_TABLE VALUES(1)"));
        QVERIFY(sink.entries.isEmpty());
        QVERIFY_THROWS_EXCEPTION(EDBEngineError, GetSqlText("SELECT X FROM NO_SUCH_TABLE"));
    }

    void quotingKeepsStatementsNarrow()
    {
        QVERIFY(ExecSql("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('a','1')"));
        QVERIFY(ExecSql("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('b','2')"));
        const QStringList hostile{"O'Brien", "x' OR '1'='1", "'; DROP TABLE SYS_ID_TABLE; --",
                                  "\\'", "'')--"};
        for (const QString &value : hostile) {
            QVERIFY(ExecSql("UPDATE SYS_ID_TABLE SET AUTO_ID = " + QuotedStr(value)
                            + " WHERE NAME_ID = 'a'"));
            QCOMPARE(GetSqlText("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'a'"), value);
            QCOMPARE(GetSqlText("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = 'b'"), QString("2"));
            QCOMPARE(GetSqlText("SELECT NAME_ID FROM SYS_ID_TABLE WHERE AUTO_ID = " + QuotedStr(value)),
                     QString("a"));
            QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_ID_TABLE WHERE NAME_ID = "
                                  + QuotedStr(value)),
                     0.0);
        }
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_ID_TABLE"), 2.0);
    }

    void transactionRollsBackOnFailure()
    {
        try {
            Transaction outer;
            ExecSqlOrThrow("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('t1','1')");
            {
                Transaction inner;
                ExecSqlOrThrow("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('t2','2')");
                inner.commit();
            }
            ExecSqlOrThrow("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('t1','again')");
            outer.commit();
            QFAIL("the duplicate key must throw");
        } catch (const EDBEngineError &e) {
            QCOMPARE(e.errors().first().errorCode, EngineCode::KeyViolation);
        }
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_ID_TABLE"), 0.0);
        {
            Transaction t;
            ExecSqlOrThrow("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('t3','3')");
            t.commit();
        }
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_ID_TABLE"), 1.0);
    }

    void translation_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<bool>("errorBox");
        QTest::newRow("duplicate key")
            << "INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('dup','1')"
            << QStringList{QStringLiteral("数据库主键重复")} << false;
        QTest::newRow("referenced row") << "DELETE FROM ORB_T_PARENT"
                                        << QStringList{QStringLiteral("其它的数据库表中存在对该纪录的引用,纪录不能删除")}
                                        << false;
        QTest::newRow("unknown engine error") << "SELECT NOPE FROM SYS_ID_TABLE"
                                              << QStringList{QStringLiteral("数据库操作错误")} << true;
    }
    void translation()
    {
        QFETCH(QString, sql);
        QFETCH(QStringList, warnings);
        QFETCH(bool, errorBox);
        ExecSql("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('dup','1')");
        ExecSql("PRAGMA foreign_keys = ON");
        QVERIFY(ExecSql("CREATE TABLE ORB_T_PARENT (ID VARCHAR(4) PRIMARY KEY)"));
        QVERIFY(ExecSql("CREATE TABLE ORB_T_CHILD (ID VARCHAR(4) REFERENCES ORB_T_PARENT(ID))"));
        QVERIFY(ExecSql("INSERT INTO ORB_T_PARENT VALUES('p')"));
        QVERIFY(ExecSql("INSERT INTO ORB_T_CHILD VALUES('p')"));
        RecordingMessageSink sink;
        QVERIFY(!Guarded([&] { ExecSqlOrThrow(sql); }));
        QStringList shownWarnings;
        int errors = 0;
        for (const auto &e : sink.entries) {
            if (e.kind == RecordingMessageSink::Warning)
                shownWarnings << e.text;
            else if (e.kind == RecordingMessageSink::Error) {
                ++errors;
                QVERIFY2(e.text.startsWith("EDBEngineError:ErrorCode: ("), qPrintable(e.text));
            }
        }
        QCOMPARE(shownWarnings, warnings);
        QCOMPARE(errors, errorBox ? 1 : 0);
    }

    void settingsTable()
    {
        RecordingMessageSink sink;
        QCOMPARE(ReadSetting(QStringLiteral("借贷编号")), QString());
        QVERIFY(!IsSettingOn(QStringLiteral("借贷编号")));
        QCOMPARE(ReadNumberingMode(), 1);
        QVERIFY(WriteSetting(QStringLiteral("借贷编号"), QStringLiteral("是")));
        QVERIFY(WriteSetting(QStringLiteral("借贷编号"), QStringLiteral("是")));
        QCOMPARE(GetSqlNumber("SELECT COUNT(*) FROM SYS_ID_TABLE"), 1.0);
        QVERIFY(IsSettingOn(QStringLiteral("借贷编号")));
        QVERIFY(WriteSetting(QStringLiteral("借贷编号"), QStringLiteral("Y")));
        QVERIFY(!IsSettingOn(QStringLiteral("借贷编号")));
        QVERIFY(WriteSetting(QStringLiteral("分类编号"), QStringLiteral("3")));
        QCOMPARE(ReadNumberingMode(), 3);
        QCOMPARE(NumberingMode, 3);
        QVERIFY(WriteSetting(QStringLiteral("it's"), QStringLiteral("a'b")));
        QCOMPARE(ReadSetting(QStringLiteral("it's")), QString("a'b"));
        QVERIFY(sink.entries.isEmpty());
    }

    void registrySettings()
    {
        RecordingMessageSink sink;
        QCOMPARE(ReadRegistryText("OrbCashierColor"), QString());
        WriteRegistryText("OrbCashierColor", "blue");
        QCOMPARE(ReadRegistryText("OrbCashierColor"), QString("blue"));
        QCOMPARE(ReadRegistryInteger("OrbCashierColor"), QString());
        WriteRegistryText("OrbCashierColor", "12615680");
        QCOMPARE(ReadRegistryInteger("OrbCashierColor"), QString("12615680"));
        QVERIFY(sink.entries.isEmpty());
    }

    void workDate()
    {
        SetFixedNow(QDateTime(QDate(2009, 2, 28), QTime(23, 59)));
        RefreshWorkDate();
        QCOMPARE(WorkDate, QString("2009-02-28"));
        SetFixedNow(QDateTime());
        RefreshWorkDate();
        QCOMPARE(WorkDate, QDate::currentDate().toString("yyyy-MM-dd"));
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestDatabase)
#include "tst_Database.moc"
