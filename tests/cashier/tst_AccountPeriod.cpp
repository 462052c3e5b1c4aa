// The ledger month of a date under each closing day.
#include "cashier/AccountPeriod.h"

#include <QtTest>

using namespace Orb;

class TestAccountPeriod : public QObject {
    Q_OBJECT
private slots:
    void period_data()
    {
        QTest::addColumn<int>("closingDay");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        auto row = [](const char *name, int n, QDate d, const char *label, const char *first,
                      const char *last) {
            QTest::newRow(name) << n << d << QString::fromUtf8(label) << QString(first)
                                << QString(last);
        };
        row("0 calendar", 0, QDate(2008, 9, 29), "2008年09月", "09/01/2008", "09/30/2008");
        row("0 year end", 0, QDate(2008, 12, 31), "2008年12月", "12/01/2008", "12/31/2008");
        row("0 February leap", 0, QDate(2008, 2, 10), "2008年02月", "02/01/2008", "02/29/2008");
        row("31 calendar", 31, QDate(2008, 9, 29), "2008年09月", "09/01/2008", "09/30/2008");
        row("31 March after leap February", 31, QDate(2008, 3, 1), "2008年03月", "03/01/2008",
            "03/31/2008");
        row("31 year end", 31, QDate(2008, 12, 31), "2008年12月", "12/01/2008", "12/31/2008");
        row("31 new year", 31, QDate(2009, 1, 1), "2009年01月", "01/01/2009", "01/31/2009");
        row("28 after closing day", 28, QDate(2008, 9, 29), "2008年10月", "09/29/2008",
            "10/28/2008");
        row("28 on closing day", 28, QDate(2008, 9, 28), "2008年09月", "08/29/2008",
            "09/28/2008");
        row("28 first of month", 28, QDate(2008, 9, 1), "2008年09月", "08/29/2008",
            "09/28/2008");
        row("28 year end rolls over", 28, QDate(2008, 12, 29), "2009年01月", "12/29/2008",
            "01/28/2009");
        row("28 early January", 28, QDate(2009, 1, 5), "2009年01月", "12/29/2008",
            "01/28/2009");
        row("28 leap day", 28, QDate(2008, 2, 29), "2008年03月", "02/29/2008", "03/28/2008");
        row("28 March after leap day", 28, QDate(2008, 3, 10), "2008年03月", "02/29/2008",
            "03/28/2008");
        row("28 March after plain February", 28, QDate(2009, 3, 10), "2009年03月", "03/01/2009",
            "03/28/2009");
        row("30 February plain", 30, QDate(2009, 2, 10), "2009年02月", "01/31/2009",
            "02/28/2009");
        row("30 January 31", 30, QDate(2009, 1, 31), "2009年02月", "01/31/2009", "02/28/2009");
        row("30 March 1", 30, QDate(2009, 3, 1), "2009年03月", "03/01/2009", "03/30/2009");
        row("30 March 31", 30, QDate(2009, 3, 31), "2009年04月", "03/31/2009", "04/30/2009");
        row("30 February leap", 30, QDate(2008, 2, 29), "2008年02月", "01/31/2008",
            "02/29/2008");
        row("30 year end", 30, QDate(2008, 12, 31), "2009年01月", "12/31/2008", "01/30/2009");
        row("32 calendar", 32, QDate(2008, 9, 29), "2008年09月", "09/01/2008", "09/30/2008");
        row("-3 calendar", -3, QDate(2008, 9, 29), "2008年09月", "09/01/2008", "09/30/2008");
    }
    void period()
    {
        QFETCH(int, closingDay);
        QFETCH(QDate, date);
        QFETCH(QString, label);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const LedgerPeriod p = AccountPeriod(date, closingDay);
        QCOMPARE(p.label, label);
        QCOMPARE(p.firstText(), first);
        QCOMPARE(p.lastText(), last);
    }

    // Every date of three years lies in its own period, and the periods of
    // consecutive dates either coincide or follow each other without a gap.
    void periodsTileTheCalendar()
    {
        for (int n = 0; n <= 31; ++n) {
            LedgerPeriod previous = AccountPeriod(QDate(2007, 1, 1), n);
            for (QDate d(2007, 1, 2); d <= QDate(2009, 12, 31); d = d.addDays(1)) {
                const LedgerPeriod p = AccountPeriod(d, n);
                QVERIFY2(p.first <= d && d <= p.last, qPrintable(QString("n=%1 %2").arg(n).arg(
                                                          d.toString(Qt::ISODate))));
                if (p.label == previous.label) {
                    QCOMPARE(p.first, previous.first);
                    QCOMPARE(p.last, previous.last);
                } else {
                    QVERIFY(p.label > previous.label);
                    QCOMPARE(p.first, previous.last.addDays(1));
                }
                previous = p;
            }
        }
    }

    void closingDayText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("day");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("28") << "28" << 28;
        QTest::newRow("rounded") << "27.6" << 28;
        QTest::newRow("spaces") << " 5 " << 5;
        QTest::newRow("32") << "32" << 0;
        QTest::newRow("negative") << "-1" << 0;
        QTest::newRow("not a number") << "abc" << 0;
    }
    void closingDayText()
    {
        QFETCH(QString, text);
        QTEST(ClosingDayFromText(text), "day");
    }
};

QTEST_APPLESS_MAIN(TestAccountPeriod)
#include "tst_AccountPeriod.moc"
