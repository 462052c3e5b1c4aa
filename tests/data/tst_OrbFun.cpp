// The text and number utilities of the helper library.
#include "data/Gbk.h"
#include "data/OrbFun.h"

#include <QtTest>

using namespace Orb;

class TestOrbFun : public QObject {
    Q_OBJECT
private slots:
    void textToNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("separators") << " 2,468.50 " << 2468.5;
        QTest::newRow("negative") << "-12.5" << -12.5;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("half number") << "12abc" << 0.0;
    }
    void textToNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(TextToNumber(text), value);
    }

    void roundToText_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("five down six up") << 2 << QStringLiteral("五舍六入") << 1.235 << "1.23";
        QTest::newRow("five down, six up") << 2 << QStringLiteral("五舍六入") << 1.236 << "1.24";
        QTest::newRow("ordinary") << 2 << QString() << 1.235 << "1.24";
        QTest::newRow("three down four up") << 2 << QStringLiteral("三舍四入") << 1.234 << "1.24";
        QTest::newRow("three down") << 2 << QStringLiteral("三舍四入") << 1.233 << "1.23";
        QTest::newRow("two down three up") << 2 << QStringLiteral("二舍三入") << 1.233 << "1.24";
        QTest::newRow("one down two up") << 2 << QStringLiteral("一舍二入") << 1.232 << "1.24";
        QTest::newRow("one down") << 2 << QStringLiteral("一舍二入") << 1.231 << "1.23";
        QTest::newRow("zero places") << 0 << QString() << 2.5 << "3";
        QTest::newRow("zero at two places") << 2 << QString() << 0.0 << "0.00";
        QTest::newRow("out of range decimals") << 12 << QString() << 7.6 << "8";
        QTest::newRow("negative half away") << 2 << QString() << -1.005 << "-1.01";
        QTest::newRow("cents of a sum") << 2 << QString() << 0.1 + 0.2 << "0.30";
    }
    void roundToText()
    {
        QFETCH(int, decimals);
        QFETCH(QString, rule);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(RoundToText(decimals, rule, value), text);
    }

    void smallUtilities()
    {
        QCOMPARE(ZeroPad("12", 5), QString("00012"));
        QCOMPARE(ZeroPad("7", 3), QString("007"));
        QCOMPARE(SplitField("a,b,c", ",", 1), QString("b"));
        QCOMPARE(SplitField("a,b,c", ",", 2), QString("c"));
        QCOMPARE(SplitField("a,b,c", ",", 3), QString());
        QCOMPARE(SplitField("a,b,c", ",", -1), QString("c"));
        QCOMPARE(PathOfFile("/data/Orb/file.txt"), QString("/data/Orb/"));
        QCOMPARE(PathOfFile("C:\\Orb\\file.txt"), QString("C:\\Orb\\"));
        QCOMPARE(PathOfFile("/data/Orb/"), QString());
        QCOMPARE(QuotedStr("O'Brien"), QString("'O''Brien'"));
        QCOMPARE(DateLiteral(QDate(2008, 9, 3)), QString("'09/03/2008'"));
    }

    void dialectText()
    {
        QCOMPARE(SubStringSql(urStandard, "MONEY_ID", 1, 3),
                 QString("SubString(MONEY_ID FROM 1 FOR 3)"));
        QCOMPARE(SubStringSql(urSql_Server, "MONEY_ID", 1, 3), QString("SubString(MONEY_ID,1,3)"));
        QCOMPARE(SubStringSql(urAccess, "MONEY_ID", 1, 3), QString("MID(MONEY_ID,1,3)"));
        QCOMPARE(WorkDateSql(urSql_Server), QString("SELECT getdate() As GDATE "));
        QCOMPARE(WorkDateSql(urStandard), QString());
    }

    void wrapTextNeverSplitsDoubleByte()
    {
        const QString text = QStringLiteral("资金a借贷记录录入编辑ABC单位");
        for (int width = 2; width <= 12; ++width) {
            const QString wrapped = WrapText(text, width);
            QCOMPARE(QString(wrapped).remove("\r\n"), text);
            for (const QString &line : wrapped.split("\r\n")) {
                QVERIFY2(GbkLength(line) <= width, qPrintable(line));
                QCOMPARE(FromGbk(ToGbk(line)), line);
            }
        }
        QCOMPARE(WrapText("abcdef", 3), QString("abc\r\ndef"));
        QCOMPARE(WrapText(QStringLiteral("a资金"), 2), QStringLiteral("a\r\n资\r\n金"));
    }

    void gbk()
    {
        QCOMPARE(GbkLength(QStringLiteral("资金ab")), 6);
        const QByteArray g = ToGbk(QStringLiteral("a资金"));
        QCOMPARE(GbkTruncate(g, 2), QByteArray("a"));
        QCOMPARE(GbkTruncate(g, 3), ToGbk(QStringLiteral("a资")));
    }
};

QTEST_GUILESS_MAIN(TestOrbFun)
#include "tst_OrbFun.moc"
