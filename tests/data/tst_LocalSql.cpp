// The local-SQL adapter: how standard statements read on SQLite, and that
// every statement form runs with the same result on SQLite and PostgreSQL.
#include "common/TestDb.h"
#include "data/LocalSql.h"
#include "data/OrbFun.h"

#include <QApplication>
#include <QSqlQuery>
#include <QtTest>

using namespace Orb;

class TestLocalSql : public QObject {
    Q_OBJECT
public:
    explicit TestLocalSql(SqlEngine engine) : m_engine(engine) {}

private slots:
    void initTestCase()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        qInfo("engine: %s", OrbTest::EngineName(m_engine));
        const char *rows[] = {
            "INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,"
            "MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER,MONEY_TEXT_FIELD1,STATUS)"
            " VALUES('081231000001','200812001','001001','001','12/31/2008',100.5,0,'12/31/2008','未审核')",
            "INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,"
            "MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER,MONEY_TEXT_FIELD1,STATUS)"
            " VALUES('090105000001','200901002','001002','001','01/05/2009',0,40.25,'摘要','已审核')",
            "INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,"
            "MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER,MONEY_DATE_FIELD1,STATUS)"
            " VALUES('090210000001','200902003','002001','002','02/10/2009',7,0,'','未审核')",
            "INSERT INTO ORB_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,MONEY_TYPE_NAME,ORDER_ID)"
            " VALUES('001001','001','办公费',1)",
            "INSERT INTO ORB_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,MONEY_TYPE_NAME,ORDER_ID)"
            " VALUES('001002','001','差旅费',2)",
            "INSERT INTO ORB_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME,ORDER_ID,"
            "START_MONEY_ACCOUNT_DATE) VALUES('001','G001','现金',1,'01/01/2008')",
        };
        for (const char *sql : rows)
            QVERIFY2(ExecSql(QString::fromUtf8(sql)), sql);
    }
    void cleanupTestCase() { m_db.reset(); }

    void statementForms_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("result");
        QTest::newRow("substring") << "SELECT SUBSTRING(MONEY_ID FROM 1 FOR 6) FROM "
                                      "ORB_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID='090105000001'"
                                   << "200901";
        QTest::newRow("substring in where")
            << "SELECT COUNT(*) FROM ORB_INTO_OUT_MONEY_TABLE WHERE SubString(MONEY_TYPE_ID FROM 1 "
               "FOR 3) = '001'"
            << "2";
        QTest::newRow("max substring numbering")
            << "SELECT MAX(SubString(MONEY_ID FROM 7 FOR 3)) FROM ORB_INTO_OUT_MONEY_TABLE WHERE "
               "SubString(MONEY_ID FROM 1 FOR 4) = '2009'"
            << "003";
        QTest::newRow("extract year") << "SELECT COUNT(*) FROM ORB_INTO_OUT_MONEY_TABLE WHERE "
                                         "EXTRACT(YEAR FROM MONEY_DATE) = 2009"
                                      << "2";
        QTest::newRow("extract month and day")
            << "SELECT EXTRACT(MONTH FROM MONEY_DATE), EXTRACT(DAY FROM MONEY_DATE) FROM "
               "ORB_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID = '090210000001'"
            << "2\t10";
        QTest::newRow("date literal compare")
            << "SELECT COUNT(*) FROM ORB_INTO_OUT_MONEY_TABLE WHERE MONEY_DATE >= '01/01/2009'"
            << "2";
        QTest::newRow("literal before column")
            << "SELECT COUNT(*) FROM ORB_INTO_OUT_MONEY_TABLE WHERE '12/31/2008' = MONEY_DATE"
            << "1";
        QTest::newRow("qualified between")
            << "SELECT COUNT(*) FROM ORB_INTO_OUT_MONEY_TABLE A WHERE A.MONEY_DATE BETWEEN "
               "'12/31/2008' AND '01/31/2009'"
            << "2";
        QTest::newRow("stored as iso") << "SELECT MONEY_DATE FROM ORB_INTO_OUT_MONEY_TABLE WHERE "
                                          "MONEY_RECORD_ID = '081231000001'"
                                       << "2008-12-31";
        QTest::newRow("text column untouched")
            << "SELECT MONEY_TEXT_FIELD1 FROM ORB_INTO_OUT_MONEY_TABLE WHERE MONEY_TEXT_FIELD1 = "
               "'12/31/2008'"
            << "12/31/2008";
        QTest::newRow("empty date is null")
            << "SELECT COUNT(*) FROM ORB_INTO_OUT_MONEY_TABLE WHERE MONEY_DATE_FIELD1 IS NULL"
            << "3";
        QTest::newRow("count") << "SELECT Count(MONEY_ID) FROM ORB_INTO_OUT_MONEY_TABLE" << "3";
        QTest::newRow("distinct join")
            << "SELECT DISTINCT B.MONEY_TYPE_NAME, A.* FROM ORB_INTO_OUT_MONEY_TABLE A, "
               "ORB_MONEY_INTO_OUT_TYPE_TABLE B WHERE A.MONEY_TYPE_ID = B.MONEY_TYPE_ID AND "
               "A.MONEY_DATE < '01/31/2009' ORDER BY A.MONEY_ID"
            << QStringLiteral("办公费\t081231000001");
        QTest::newRow("update set date")
            << "SELECT MONEY_DATE FROM ORB_INTO_OUT_MONEY_TABLE WHERE MONEY_RECORD_ID = '090210000001'"
            << "2009-02-10";
        QTest::newRow("sum") << "SELECT SUM(MONEY_INTO_NUMBER) - SUM(MONEY_OUT_NUMBER) FROM "
                                "ORB_INTO_OUT_MONEY_TABLE"
                             << "67.25";
    }
    void statementForms()
    {
        QFETCH(QString, sql);
        QFETCH(QString, result);
        QSqlQuery q = Database::Exec(sql);
        QVERIFY(q.next());
        QStringList cells;
        const int n = result.count('\t') + 1;
        for (int i = 0; i < n; ++i)
            cells << FieldText(q.value(i));
        QCOMPARE(cells.join('\t'), result);
    }

    void updateWritesIsoDate()
    {
        QVERIFY(ExecSql("UPDATE ORB_MONEY_ACCOUNT_TABLE SET START_MONEY_ACCOUNT_DATE = '03/04/2008', "
                        "NOTE = '03/04/2008' WHERE MONEY_ACCOUNT_ID = '001'"));
        QCOMPARE(GetSqlText("SELECT START_MONEY_ACCOUNT_DATE FROM ORB_MONEY_ACCOUNT_TABLE"),
                 QString("2008-03-04"));
        QCOMPARE(GetSqlText("SELECT NOTE FROM ORB_MONEY_ACCOUNT_TABLE"), QString("03/04/2008"));
        QVERIFY(ExecSql("UPDATE ORB_MONEY_ACCOUNT_TABLE SET START_MONEY_ACCOUNT_DATE = '' WHERE "
                        "MONEY_ACCOUNT_ID = '001'"));
        QCOMPARE(GetSqlText("SELECT COUNT(*) FROM ORB_MONEY_ACCOUNT_TABLE WHERE "
                            "START_MONEY_ACCOUNT_DATE IS NULL"),
                 QString("1"));
    }

    void sqliteRewrites_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("nested substring")
            << "SELECT SUBSTRING(UPPER(A.X) FROM 1 FOR (2+1)) FROM T"
            << "SELECT substr(UPPER(A.X), 1, (2+1)) FROM T";
        QTest::newRow("quote inside literal kept")
            << "SELECT * FROM T WHERE NOTE = 'it''s SUBSTRING(x FROM 1 FOR 2)'"
            << "SELECT * FROM T WHERE NOTE = 'it''s SUBSTRING(x FROM 1 FOR 2)'";
        QTest::newRow("insert dates by position")
            << "INSERT INTO T(NOTE,MONEY_DATE) VALUES('12/31/2008','12/31/2008')"
            << "INSERT INTO T(NOTE,MONEY_DATE) VALUES('12/31/2008','2008-12-31')";
        QTest::newRow("single digit month")
            << "SELECT 1 FROM T WHERE CREATE_DATE = '1/5/2009'"
            << "SELECT 1 FROM T WHERE CREATE_DATE = '2009-01-05'";
    }
    void sqliteRewrites()
    {
        QFETCH(QString, sql);
        QFETCH(QString, sqlite);
        QCOMPARE(TranslateSql(sql, SqlEngine::Sqlite), sqlite);
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestLocalSql)
#include "tst_LocalSql.moc"
