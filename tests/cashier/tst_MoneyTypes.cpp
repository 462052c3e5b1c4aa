// Look-ups on the money type tree, on both engines.
#include "cashier/MoneyTypes.h"
#include "common/TestDb.h"
#include "data/OrbFun.h"

#include <QApplication>
#include <QtTest>

using namespace Orb;

namespace {

void AddType(const QString &id, const QString &prior, const QString &name)
{
    QVERIFY(ExecSql(QStringLiteral("INSERT INTO ORB_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,"
                                   "PRIOR_ID,ORDER_ID,MONEY_TYPE_NAME) VALUES(%1,%2,%3,%4)")
                        .arg(QuotedStr(id), QuotedStr(prior))
                        .arg(id.size() * 10 + id.right(1).toInt())
                        .arg(QuotedStr(name))));
}

} // namespace

class TestMoneyTypes : public QObject {
    Q_OBJECT
public:
    explicit TestMoneyTypes(SqlEngine engine) : m_engine(engine) {}

private slots:
    void initTestCase()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        AddType("001", "G001", "收入");
        AddType("001001", "001", "销售");
        AddType("001001001", "001001", "产品A");
        AddType("001001001001", "001001001", "O'Neil");
        AddType("002", "G001", "支出");
        AddType("777", "G002", "游离");
        AddType("888001", "888", "断链");
    }
    void cleanupTestCase() { m_db.reset(); }

    void fullName_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("top level") << "001" << "收入";
        QTest::newRow("level 3") << "001001001" << "收入-销售-产品A";
        QTest::newRow("level 4 with quote") << "001001001001" << "收入-销售-产品A-O'Neil";
        QTest::newRow("no row") << "009" << "";
        QTest::newRow("quote in code") << "0'1" << "";
    }
    void fullName()
    {
        QFETCH(QString, code);
        QTEST(MoneyTypeFullName(code), "name");
    }

    void topType_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("top");
        QTest::newRow("root") << "G001" << "";
        QTest::newRow("level 1 is its own top") << "002" << "002";
        QTest::newRow("level 4") << "001001001001" << "001";
        QTest::newRow("parent G002") << "777" << "";
        QTest::newRow("broken chain") << "888001" << "";
        QTest::newRow("no row") << "009" << "";
    }
    void topType()
    {
        QFETCH(QString, code);
        QTEST(TopMoneyType(code), "top");
    }

    void subtreeCondition()
    {
        QCOMPARE(MoneyTypeSubtreeCondition("001", 0), QString());
        QCOMPARE(MoneyTypeSubtreeCondition("001001", 2),
                 QString(" SUBSTRING(MONEY_TYPE_ID FROM 1  FOR  6) = '001001'"));
        QCOMPARE(MoneyTypeSubtreeCondition("001", 1, "A"),
                 QString(" SUBSTRING(A.MONEY_TYPE_ID FROM 1  FOR  3) = '001'"));
        QCOMPARE(MoneyTypeSubtreeCondition("001001001"),
                 QString(" SUBSTRING(MONEY_TYPE_ID FROM 1  FOR  9) = '001001001'"));
        // The condition selects the type and all its descendants on the engine.
        const QString count = GetSqlText(
            "SELECT Count(MONEY_TYPE_ID) FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE "
            + MoneyTypeSubtreeCondition("001001"));
        QCOMPARE(count, QString("3"));
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestMoneyTypes)
#include "tst_MoneyTypes.moc"
