#include "data/CapitalAmount.h"
#include "data/OrbFun.h"
#include "data/TestSupport.h"

#include <QtTest>

using namespace Orb;

class TestCapitalAmount : public QObject {
    Q_OBJECT
private slots:
    void capital_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("words");
        QTest::newRow("1005.40") << "1005.40" << QStringLiteral("壹仟零伍元肆角整");
        QTest::newRow("0.05") << "0.05" << QStringLiteral("零伍分");
        QTest::newRow("0.50") << "0.50" << QStringLiteral("伍角整");
        QTest::newRow("12") << "12" << QStringLiteral("壹拾贰元整");
        QTest::newRow("100500") << "100500" << QStringLiteral("壹拾万零伍佰元整");
        QTest::newRow("50000") << "50000" << QStringLiteral("伍万元整");
        QTest::newRow("100000005") << "100000005" << QStringLiteral("壹亿零伍元整");
        QTest::newRow("-0.50") << "-0.50" << QStringLiteral("负伍角整");
        QTest::newRow("-12") << "-12" << QStringLiteral("负壹拾贰元整");
        QTest::newRow("0") << "0" << QString();
        QTest::newRow("0.00") << "0.00" << QString();
        QTest::newRow("empty") << "" << QString();
        QTest::newRow("separators") << "1,234.56" << QStringLiteral("壹仟贰佰叁拾肆元伍角陆分");
        QTest::newRow("lower groups") << "102030405.06"
                                      << QStringLiteral("壹亿零贰佰零叁万零肆佰零伍元零陆分");
        QTest::newRow("ten") << "10" << QStringLiteral("壹拾元整");
        QTest::newRow("round half") << "0.125" << QStringLiteral("壹角叁分");
    }
    void capital()
    {
        QFETCH(QString, amount);
        QFETCH(QString, words);
        RecordingMessageSink sink;
        QCOMPARE(CapitalAmount(amount), words);
        QVERIFY(sink.entries.isEmpty());
    }

    void thirteenDigitsWarns()
    {
        RecordingMessageSink sink;
        QCOMPARE(CapitalAmount("1234567890123"), QString());
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("所处理数据超出范围!")});
    }
};

QTEST_GUILESS_MAIN(TestCapitalAmount)
#include "tst_CapitalAmount.moc"
