// Rules of the data-aware components that need no window: the key filter,
// display formats, ledger boxes, tree and layout statements, look-up text.
#include "data/FloatFormat.h"
#include "components/GridLayout.h"
#include "components/KeyFilter.h"
#include "components/LedgerBoxes.h"
#include "components/LookupSql.h"
#include "components/TreeSql.h"

#include <QtTest>

using namespace Orb;

class TestComponentRules : public QObject {
    Q_OBJECT
private slots:
    void keyFilter_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("maxLength");
        // text, selection, typed key -> accepted, inserted character, maximum length
        QTest::newRow("float point") << int(etFloat) << "12" << 2 << 0 << "." << true << "." << 0;
        QTest::newRow("float comma becomes point") << int(etFloat) << "12" << 2 << 0 << ","
                                                   << true << "." << 0;
        QTest::newRow("float second point") << int(etFloat) << "1.2" << 3 << 0 << "." << false
                                            << "." << 0;
        QTest::newRow("float comma after comma") << int(etFloat) << "1,2" << 3 << 0 << ","
                                                 << false << "," << 0;
        QTest::newRow("float space") << int(etFloat) << "1" << 1 << 0 << " " << false << " " << 0;
        QTest::newRow("int minus once") << int(etInteger) << "" << 0 << 0 << "-" << true << "-"
                                        << 11;
        QTest::newRow("int second minus") << int(etInteger) << "-1" << 2 << 0 << "-" << false
                                          << "-" << 0;
        QTest::newRow("int minus keeps max") << int(etInteger) << "" << 0 << 0 << "-" << true
                                             << "-" << 5;
        QTest::newRow("int letter") << int(etInteger) << "1" << 1 << 0 << "a" << false << "a"
                                    << 0;
        QTest::newRow("int chinese") << int(etInteger) << "1" << 1 << 0 << QStringLiteral("五")
                                     << false << QStringLiteral("五") << 0;
        QTest::newRow("int point") << int(etInteger) << "1" << 1 << 0 << "." << false << "."
                                   << 0;
        QTest::newRow("int over selection from start") << int(etInteger) << "123" << 0 << 3
                                                       << "a" << true << "a" << 0;
        QTest::newRow("int over selection later") << int(etInteger) << "123" << 1 << 2 << "a"
                                                  << false << "a" << 0;
        QTest::newRow("date slash") << int(etDate) << "2009" << 4 << 0 << "/" << true << "/" << 10;
        QTest::newRow("date letter") << int(etDate) << "2009" << 4 << 0 << "x" << false << "x"
                                     << 10;
        QTest::newRow("date over selection") << int(etDate) << "2009" << 0 << 4 << "x" << false
                                             << "x" << 10;
        QTest::newRow("string anything") << int(etString) << "" << 0 << 0 << QStringLiteral("甲")
                                         << true << QStringLiteral("甲") << 0;
    }
    void keyFilter()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, key);
        QFETCH(bool, accepted);
        QFETCH(QString, inserted);
        QFETCH(int, maxLength);
        const int startMax = QTest::currentDataTag() == QByteArray("int minus keeps max") ? 5
                             : type == etDate ? 10 : 0;
        const KeyFilterResult r = FilterKey(TEditTypes(type), key.at(0), text, selStart, selLength,
                                            startMax, QLatin1Char('.'));
        QCOMPARE(r.accepted, accepted);
        if (accepted)
            QCOMPARE(QString(r.character), inserted);
        QCOMPARE(r.maxLength, maxLength);
    }

    void enteredMaxLength()
    {
        QCOMPARE(EnteredMaxLength(etFloat, 0), 16);
        QCOMPARE(EnteredMaxLength(etFloat, 8), 8);
        QCOMPARE(EnteredMaxLength(etDate, 0), 10);
        QCOMPARE(EnteredMaxLength(etString, 0), 0);
        QVERIFY(!UsesInputMethod(etInteger) && !UsesInputMethod(etFloat));
        QVERIFY(!UsesInputMethod(etDate));
        QVERIFY(UsesInputMethod(etString) && UsesInputMethod(etPhone) && UsesInputMethod(etTime));
    }

    void formatFloat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("trim zeros") << "0.########" << 1234.5 << "1234.5";
        QTest::newRow("integer") << "0.########" << 10.0 << "10";
        QTest::newRow("negative") << "0.########" << -0.25 << "-0.25";
        QTest::newRow("two places") << "0.00" << 3.0 << "3.00";
        QTest::newRow("thousands") << "#,##0.00" << 1234567.891 << "1,234,567.89";
        QTest::newRow("count text") << QStringLiteral("共0条") << 200000.0
                                    << QStringLiteral("共200000条");
        QTest::newRow("quoted") << QStringLiteral("\"合计:\"0.00") << 2.5
                                << QStringLiteral("合计:2.50");
        QTest::newRow("zero section") << "0.00;-0.00;' '" << 0.0 << " ";
    }
    void formatFloat()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatFloat(format, value), text);
    }

    void ledgerBoxes()
    {
        LedgerDigits d = LedgerBoxDigits(1234.5, 8);
        QCOMPARE(d.digits, QString("  123450"));
        QVERIFY(!d.negative);
        d = LedgerBoxDigits(-0.07, 4);
        QCOMPARE(d.digits, QString(" 007"));   // "0.07" without the point
        QVERIFY(d.negative);
        d = LedgerBoxDigits(123456.0, 4);
        QVERIFY(d.overflow);
        QCOMPARE(LedgerLineColor(3), QColor(Qt::red));
        QCOMPARE(LedgerLineColor(6), QColor(0, 128, 0));
        QCOMPARE(LedgerLineColor(2), QColor(Qt::gray));
    }

    void treeStatements()
    {
        TTreeTemplate c{"SELECT ID,NAME FROM T WHERE PRIOR_ID = ", "ORDER BY ORDER_ID", "C", "",
                        0};
        QCOMPARE(TreeStatement(c, "G001", true),
                 QString("SELECT ID,NAME FROM T WHERE PRIOR_ID = 'G001' ORDER BY ORDER_ID"));
        QCOMPARE(TreeStatement(c, "O'B", true),
                 QString("SELECT ID,NAME FROM T WHERE PRIOR_ID = 'O''B' ORDER BY ORDER_ID"));
        TTreeTemplate n{"SELECT ID,NAME FROM T WHERE LEVEL_NO = ", "", "N", "", 0};
        QCOMPARE(TreeStatement(n, "2", true),
                 QString("SELECT ID,NAME FROM T WHERE LEVEL_NO = 2 "));
        TTreeTemplate e{"SELECT ID,NAME FROM T", "ORDER BY ID", "", "", 0};
        QCOMPARE(TreeStatement(e, "G001", true), QString("SELECT ID,NAME FROM T ORDER BY ID"));
        QCOMPARE(TreeStatement(e, "G001", false), QString("SELECT ID,NAME FROM T"));
        TTreeTemplate caption{"x", "", "C", QStringLiteral("年"), 4};
        QCOMPARE(TreeCaption(caption, "9"), QStringLiteral("0009年"));
    }

    void layoutStatements()
    {
        TGridLayout l;
        l.FormName = "MoneyIntoOutForm";
        l.UserID = "O'1";
        l.GridName = "OrbNDBGrid1";
        l.LayoutTable = "SYS_MONEY_INTO_OUT_TABLE";
        const QString w = " WHERE  USE_ID = 'O''1' AND FORM_NAME = 'MoneyIntoOutForm' AND "
                          "DBGRID_NAME = 'OrbNDBGrid1'";
        QCOMPARE(l.LoadSql(),
                 QString("SELECT FIELD_WIDTH,FIELD_NAME FROM SYS_MONEY_INTO_OUT_TABLE "
                         "WHERE USE_ID = 'O''1' AND FORM_NAME = 'MoneyIntoOutForm' AND "
                         "DBGRID_NAME = 'OrbNDBGrid1' ORDER BY FIELD_NAME"));
        QCOMPARE(l.DropSql("MONEY_ID"),
                 "DELETE FROM SYS_MONEY_INTO_OUT_TABLE" + w + " AND FIELD_NAME = 'MONEY_ID'");
        QCOMPARE(l.DeleteUserSql(), "DELETE FROM SYS_MONEY_INTO_OUT_TABLE" + w);
        QCOMPARE(l.DeleteAllSql(),
                 QString("DELETE FROM SYS_MONEY_INTO_OUT_TABLE WHERE FORM_NAME = "
                         "'MoneyIntoOutForm' AND DBGRID_NAME = 'OrbNDBGrid1'"));
        QCOMPARE(l.SelectOneSql("NOTE"),
                 "SELECT FIELD_WIDTH FROM SYS_MONEY_INTO_OUT_TABLE" + w
                     + " AND FIELD_NAME = 'NOTE'");
        QCOMPARE(l.InsertSql("NOTE", 80, 3),
                 QString("INSERT INTO SYS_MONEY_INTO_OUT_TABLE(USE_ID,FORM_NAME,DBGRID_NAME,"
                         "FIELD_NAME,FIELD_WIDTH) VALUES('O''1','MoneyIntoOutForm','OrbNDBGrid1',"
                         "'NOTE',80)"));
        QCOMPARE(l.UpdateSql("NOTE", 80, 3), "UPDATE SYS_MONEY_INTO_OUT_TABLE SET FIELD_WIDTH = 80"
                                                 + w + " AND FIELD_NAME = 'NOTE'");
        l.SaveOrder = true;
        QVERIFY(l.LoadSql().startsWith("SELECT FIELD_WIDTH,FIELD_NAME,FIELD_ORDER FROM "));
        QVERIFY(l.SelectOneSql("NOTE").startsWith("SELECT FIELD_WIDTH,FIELD_ORDER FROM "));
        QCOMPARE(l.InsertSql("NOTE", 80, 3),
                 QString("INSERT INTO SYS_MONEY_INTO_OUT_TABLE(USE_ID,FORM_NAME,DBGRID_NAME,"
                         "FIELD_NAME,FIELD_WIDTH,FIELD_ORDER) VALUES('O''1','MoneyIntoOutForm',"
                         "'OrbNDBGrid1','NOTE',80,3)"));
        QCOMPARE(l.UpdateSql("NOTE", 80, 3),
                 "UPDATE SYS_MONEY_INTO_OUT_TABLE SET FIELD_WIDTH = 80,FIELD_ORDER = 3" + w
                     + " AND FIELD_NAME = 'NOTE'");
    }

    void layoutRecordingAndMerge()
    {
        TGridLayout l;
        l.Names << "A" << "B" << "C";
        l.Widths << 100 << 5 << 40;
        l.Orders << 0 << 0 << 0;
        l.LoadedNames = l.Names;
        l.LoadedWidths = l.Widths;
        l.LoadedOrders = l.Orders;
        // 100 px is 16 characters: half a character is no change, two are.
        l.RecordWidth("A", 103, 0);
        QCOMPARE(l.Widths[0], 100);
        l.RecordWidth("A", 113, 0);
        QCOMPARE(l.Widths[0], 113);
        // A narrow column (40 px, 6 characters) records every change.
        l.RecordWidth("C", 42, 2);
        QCOMPARE(l.Widths[2], 42);
        l.RecordWidth("D", 70, 3);
        QCOMPARE(l.indexOf("D"), 3);
        QCOMPARE(l.LoadedWidths.last(), 1);

        QList<TFieldsData> fd(5);
        fd[0].FieldName = "A";
        fd[1].FieldName = "B";
        fd[2].FieldName = "C";
        fd[2].SumKind = "@Sum";
        fd[2].Width = 0;
        fd[3].FieldName = "E";
        fd[4].FieldName = "D";
        fd[4].Width = -1;
        l.Widths[2] = 6;   // a footer column narrowed away stays shown
        // (a narrowed non-footer column is dropped from the table: see the grid test)
        TGridLayout merged = l;
        QList<TFieldsData> copy = fd;
        merged.Names.removeAt(1);
        merged.Widths.removeAt(1);
        merged.Orders.removeAt(1);
        merged.MergeInto(copy);
        QCOMPARE(copy[0].Width, WidthInChars(113));
        QCOMPARE(copy[2].Width, 0);
        QVERIFY(copy[2].Visible);
        QVERIFY(!copy[1].Visible);   // not among the saved columns
        QVERIFY(!copy[3].Visible);
        QCOMPARE(copy[4].Width, -1);
    }

    void lookupText()
    {
        QCOMPARE(LookupTextSql("ORB_MONEY_TEXT_FIELD1_TABLE", "MONEY_TEXT_FIELD1",
                               QStringLiteral("张")),
                 QStringLiteral("SELECT MONEY_TEXT_FIELD1 FROM ORB_MONEY_TEXT_FIELD1_TABLE WHERE "
                                "MONEY_TEXT_FIELD1  LIKE '%张%' ORDER BY MONEY_TEXT_FIELD1"));
        QCOMPARE(ContainsPattern("O'B"), QString("'%O''B%'"));
        QCOMPARE(ContainsPattern("5%"), QString("'%5\\%%' ESCAPE '\\'"));
    }
};

QTEST_GUILESS_MAIN(TestComponentRules)
#include "tst_ComponentRules.moc"
