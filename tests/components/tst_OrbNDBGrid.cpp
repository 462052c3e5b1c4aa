// The list grids on both engines: captions and footers from the fields data
// (sums and counts by SQL, right on a list that is not fully read), the
// per-user saved column layout, row painting, TOrbDBGrid cells.
#include "common/TestDb.h"
#include "components/OrbDBGrid.h"
#include "components/OrbDataSource.h"
#include "components/OrbNDBGrid.h"
#include "components/OrbQueryModel.h"
#include "components/OrbQueryUnit.h"
#include "components/Tag.h"
#include "data/OrbFun.h"
#include "data/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

using namespace Orb;

namespace {

const QString kLayout = QStringLiteral("SYS_MONEY_INTO_OUT_TABLE");

void AddRows(int count)
{
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("OrbCashierDataBase")));
    const QString sql = QStringLiteral(
        "INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,MONEY_TYPE_ID,"
        "MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,MONEY_OUT_NUMBER,MONEY_TEXT_NOTE,STATUS) "
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
        "SELECT CAST(100000 + i AS VARCHAR(16)),CAST(i AS VARCHAR(16)),'001','001','2009-01-05',"
        "i * 0.5,1,'备注 ' || CAST(i AS VARCHAR(16)),'未审核' FROM n").arg(count);
    QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
}

int SavedWidth(const QString &user, const QString &field)
{
    const QString t = GetSqlText("SELECT FIELD_WIDTH FROM SYS_MONEY_INTO_OUT_TABLE WHERE USE_ID = "
                                 + QuotedStr(user) + " AND FIELD_NAME = " + QuotedStr(field));
    return t.isEmpty() ? -1 : t.toInt();
}

int SavedRows(const QString &user = QString())
{
    return int(GetSqlNumber("SELECT COUNT(*) FROM SYS_MONEY_INTO_OUT_TABLE"
                            + (user.isEmpty() ? QString()
                                              : " WHERE USE_ID = " + QuotedStr(user))));
}

TFieldsData Entry(const QString &field, const QString &caption, const QString &sumKind = {},
                  const QString &kind = "C")
{
    TFieldsData e;
    e.FieldName = field;
    e.Caption = caption;
    e.SumKind = sumKind;
    e.DataKind = kind;
    return e;
}

// A list window as the business windows build it; closing saves the layout.
struct GridWindow {
    QWidget window;
    TOrbQuery query;
    TOrbDataSource *ds;
    TOrbNDBGrid *grid;

    explicit GridWindow(const QString &user, bool saveOrder = false, bool dbGrid = false)
    {
        query.setTableName("ORB_INTO_OUT_MONEY_TABLE");
        query.SQL = "SELECT MONEY_RECORD_ID,MONEY_ID,MONEY_DATE,MONEY_INTO_NUMBER,"
                    "MONEY_OUT_NUMBER,MONEY_TEXT_NOTE FROM ORB_INTO_OUT_MONEY_TABLE "
                    "ORDER BY MONEY_RECORD_ID";
        auto fd = MakeArray<TFieldsData>({
            Entry("MONEY_RECORD_ID", QStringLiteral("流水号"), "@Count"),
            Entry("MONEY_ID", QStringLiteral("编号"), QStringLiteral("合计")),
            Entry("MONEY_DATE", QStringLiteral("日期"), {}, "D"),
            Entry("MONEY_INTO_NUMBER", QStringLiteral("借方金额"), "@Sum", "N"),
            Entry("MONEY_OUT_NUMBER", QStringLiteral("贷方金额"), "@Sum", "N"),
            Entry("MONEY_TEXT_NOTE", QStringLiteral("备注")),
        });
        (*fd)[0].CountFormat = QStringLiteral("共0条");
        query.SetFieldsData(fd);
        ds = new TOrbDataSource(&window);
        ds->setDataSet(&query);
        grid = dbGrid ? new TOrbDBGrid(&window) : new TOrbNDBGrid(&window);
        grid->setObjectName("OrbNDBGrid1");
        grid->setDataSource(ds);
        grid->SetFieldsData(fd);
        grid->Layout.FormName = "MoneyIntoOutForm";
        grid->Layout.UserID = user;
        grid->Layout.LayoutTable = kLayout;
        grid->Layout.SaveOrder = saveOrder;
        grid->setGeometry(0, 0, 720, 260);
        window.resize(720, 260);
    }
    void open()
    {
        query.OpenQuery();
        window.show();
    }
    void close() { grid->SaveLayout(); }
};

} // namespace

class TestOrbNDBGrid : public QObject {
    Q_OBJECT
public:
    explicit TestOrbNDBGrid(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        LogonUserName = QStringLiteral("张三");
        WorkDate = "2009-01-15";
    }
    void cleanup() { m_db.reset(); }

    void captionsAndFooters()
    {
        AddRows(3);
        GridWindow w("01");
        w.open();
        QTableView *v = w.grid->view();
        QCOMPARE(v->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("借方金额"));
        QCOMPARE(w.grid->FooterText("MONEY_INTO_NUMBER"), QString("3"));
        QCOMPARE(w.grid->FooterText("MONEY_OUT_NUMBER"), QString("3"));
        QCOMPARE(w.grid->FooterText("MONEY_RECORD_ID"), QStringLiteral("共3条"));
        QCOMPARE(w.grid->FooterText("MONEY_ID"), QStringLiteral("合计"));
        QCOMPARE(w.grid->FooterText("MONEY_TEXT_NOTE"), QString());
        QCOMPARE(w.grid->footers()[3].alignment, Qt::Alignment(Qt::AlignRight));
        QCOMPARE(w.grid->footers()[1].alignment, Qt::Alignment(Qt::AlignLeft));
        // A deletion recomputes the footers.
        RecordingMessageSink sink;
        w.query.NoDeleteAsk = true;
        w.query.Last();
        w.query.DeleteRecord();
        QCOMPARE(w.grid->FooterText("MONEY_INTO_NUMBER"), QString("1.5"));
        QCOMPARE(w.grid->FooterText("MONEY_RECORD_ID"), QStringLiteral("共2条"));
    }

    void entriesHideAndSizeColumns()
    {
        AddRows(2);
        GridWindow w("01");
        auto fd = w.grid->FieldsData();
        (*fd)[1].Width = -1;     // MONEY_ID removed
        (*fd)[2].Width = -2;     // MONEY_DATE hidden
        (*fd)[5].Visible = false;
        (*fd)[3].Width = 20;     // 20 characters
        fd->removeAt(4);         // MONEY_OUT_NUMBER has no entry
        w.grid->Layout.FormName.clear();
        w.open();
        QVERIFY(!w.grid->columnShown("MONEY_ID"));
        QVERIFY(!w.grid->columnShown("MONEY_DATE"));
        QVERIFY(!w.grid->columnShown("MONEY_TEXT_NOTE"));
        QVERIFY(!w.grid->columnShown("MONEY_OUT_NUMBER"));
        QVERIFY(w.grid->columnShown("MONEY_INTO_NUMBER"));
        const int digit = w.grid->view()->fontMetrics().horizontalAdvance(QLatin1Char('0'));
        QCOMPARE(w.grid->columnWidth("MONEY_INTO_NUMBER"), 20 * digit + 8);
        // Without a form name nothing is stored.
        w.grid->setColumnWidth("MONEY_INTO_NUMBER", 300);
        w.close();
        QCOMPARE(SavedRows(), 0);
        // A second apply right after the first only clears the applied mark.
        QVERIFY(w.grid->Layout.Applied);
        w.grid->ApplyLayout();
        QVERIFY(!w.grid->Layout.Applied);
    }

    void footersAreRightWithoutReadingTheWholeList()
    {
        AddRows(5000);
        GridWindow w("01");
        w.open();
        QVERIFY(w.query.loadedCount() < 5000);
        QCOMPARE(w.grid->FooterText("MONEY_INTO_NUMBER"), QString("6251250"));
        QCOMPARE(w.grid->FooterText("MONEY_RECORD_ID"), QStringLiteral("共5000条"));
        QVERIFY(w.query.loadedCount() < 5000);
    }

    void gridIsDisabledWhileEditing()
    {
        AddRows(2);
        GridWindow w("01");
        w.open();
        w.query.EditRecord();
        QVERIFY(!w.grid->isEnabled());
        w.query.CancelRecord();
        QVERIFY(w.grid->isEnabled());
        SetTag(w.grid, 1);
        w.query.EditRecord();
        QVERIFY(w.grid->isEnabled());
        w.query.CancelRecord();
    }

    void twoUsersKeepTheirOwnWidths()
    {
        AddRows(2);
        const QList<std::pair<QString, int>> users{{"01", 150}, {"O'2", 90}};
        for (const auto &[user, width] : users) {
            GridWindow w(user);
            w.open();
            w.grid->setColumnWidth("MONEY_TEXT_NOTE", width);
            w.close();
        }
        QCOMPARE(SavedWidth("01", "MONEY_TEXT_NOTE"), 150);
        QCOMPARE(SavedWidth("O'2", "MONEY_TEXT_NOTE"), 90);
        GridWindow a("01");
        a.open();
        QCOMPARE(a.grid->columnWidth("MONEY_TEXT_NOTE"), 150);
        GridWindow b("O'2");
        b.open();
        QCOMPARE(b.grid->columnWidth("MONEY_TEXT_NOTE"), 90);
    }

    void narrowedColumnIsHiddenNextTime()
    {
        AddRows(2);
        {
            GridWindow w("01");
            w.open();
            w.grid->setColumnWidth("MONEY_TEXT_NOTE", 5);
            w.grid->setColumnWidth("MONEY_INTO_NUMBER", 5);
            w.close();
        }
        QCOMPARE(SavedWidth("01", "MONEY_TEXT_NOTE"), 5);
        GridWindow w("01");
        w.open();
        QVERIFY(!w.grid->columnShown("MONEY_TEXT_NOTE"));
        QCOMPARE(SavedWidth("01", "MONEY_TEXT_NOTE"), -1);    // its row is gone
        // A footer column stays, with width 0.
        QVERIFY(w.grid->columnShown("MONEY_INTO_NUMBER"));
        QCOMPARE(w.grid->columnWidth("MONEY_INTO_NUMBER"), 0);
        QVERIFY(w.grid->columnShown("MONEY_ID"));
    }

    void smallWideningIsNotSaved()
    {
        AddRows(2);
        {
            GridWindow w("01");
            w.open();
            w.grid->setColumnWidth("MONEY_TEXT_NOTE", 200);
            w.close();
        }
        {
            GridWindow w("01");
            w.open();
            w.grid->setColumnWidth("MONEY_TEXT_NOTE", 203);    // half a character
            w.close();
        }
        QCOMPARE(SavedWidth("01", "MONEY_TEXT_NOTE"), 200);
        {
            GridWindow w("01");
            w.open();
            w.grid->setColumnWidth("MONEY_TEXT_NOTE", 213);    // two characters
            w.close();
        }
        QCOMPARE(SavedWidth("01", "MONEY_TEXT_NOTE"), 213);
    }

    void restoreDefaultLayout()
    {
        AddRows(2);
        {
            GridWindow w("01");
            w.open();
            w.grid->setColumnWidth("MONEY_TEXT_NOTE", 150);
            w.close();
        }
        QVERIFY(SavedRows("01") > 0);
        GridWindow w("01");
        w.open();
        RecordingMessageSink sink;
        sink.answers = {false};
        QVERIFY(!w.grid->RestoreDefaultLayout());
        QVERIFY(SavedRows("01") > 0);
        sink.answers = {true};
        QVERIFY(w.grid->RestoreDefaultLayout());
        QCOMPARE(sink.texts(), QStringList({QStringLiteral("是否恢复默认显示设置 ?"),
                                            QStringLiteral("是否恢复默认显示设置 ?"),
                                            QStringLiteral("请关闭窗口后再重新打开")}));
        QCOMPARE(SavedRows("01"), 0);
        w.grid->setColumnWidth("MONEY_TEXT_NOTE", 300);
        w.close();
        QCOMPARE(SavedRows("01"), 0);      // nothing written back
        GridWindow again("01");
        again.open();
        QVERIFY(again.grid->columnWidth("MONEY_TEXT_NOTE") != 300);
    }

    void clearLayoutForAllUsers()
    {
        AddRows(2);
        for (const QString user : {"01", "02"}) {
            GridWindow w(user);
            w.open();
            w.grid->setColumnWidth("MONEY_TEXT_NOTE", 150);
            w.close();
        }
        QVERIFY(SavedRows("02") > 0);
        GridWindow w("01");
        w.open();
        RecordingMessageSink sink;
        QVERIFY(w.grid->ClearLayoutForAll());
        QVERIFY(sink.entries.isEmpty());
        QCOMPARE(SavedRows(), 0);
        w.close();
        QCOMPARE(SavedRows(), 0);
        QVERIFY(w.grid->DropSavedColumn("MONEY_ID"));
    }

    void savedOrder()
    {
        AddRows(2);
        {
            GridWindow w("01", true);
            w.open();
            w.grid->moveColumn("MONEY_TEXT_NOTE", 0);
            w.close();
        }
        QCOMPARE(GetSqlText("SELECT FIELD_ORDER FROM SYS_MONEY_INTO_OUT_TABLE WHERE FIELD_NAME = "
                            "'MONEY_TEXT_NOTE'"),
                 QString("0"));
        GridWindow w("01", true);
        w.open();
        QHeaderView *h = w.grid->view()->horizontalHeader();
        QCOMPARE(h->logicalIndex(0), w.grid->columnOf("MONEY_TEXT_NOTE"));
        QCOMPARE(h->logicalIndex(1), w.grid->columnOf("MONEY_RECORD_ID"));
    }

    void rowPaintingAndScreenshot()
    {
        AddRows(12);
        GridWindow w("01");
        w.grid->OnApplyCellAttr = [](TOrbNDBGrid *, int, TCellAttr &a) {
            if (a.row % 2 == 1 && !a.selected)
                a.background = QColor(0xF8, 0xF7, 0xC7);
            if (a.field == "MONEY_INTO_NUMBER")
                a.foreground = Qt::darkBlue;
        };
        w.open();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const QImage shot = w.window.grab().toImage();
        QVERIFY(!shot.isNull());
        // The painted second row carries the window's colour.
        QTableView *v = w.grid->view();
        const QRect cell = v->visualRect(v->model()->index(1, 5));
        const QPoint p =
            v->viewport()->mapTo(&w.window, cell.topLeft() + QPoint(cell.width() - 3, 3));
        QCOMPARE(shot.pixelColor(p), QColor(0xF8, 0xF7, 0xC7));
        const QString dir = qEnvironmentVariable("ORB_SHOT_DIR");
        if (!dir.isEmpty())
            shot.save(QDir(dir).filePath("grid_footers.png"));
    }

    void dbGridCellsAndPopup()
    {
        AddRows(4);
        QVERIFY(ExecSql("UPDATE ORB_INTO_OUT_MONEY_TABLE SET MONEY_INTO_NUMBER = -12.3 WHERE "
                        "MONEY_ID = '2'"));
        GridWindow w("01", false, true);
        auto *g = static_cast<TOrbDBGrid *>(w.grid);
        g->AmountColumns = {TAmountColumn{"MONEY_INTO_NUMBER", true, 10}};
        w.open();
        w.grid->setColumnWidth("MONEY_INTO_NUMBER", 130);
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const QString dir = qEnvironmentVariable("ORB_SHOT_DIR");
        if (!dir.isEmpty())
            w.window.grab().save(QDir(dir).filePath("dbgrid_ledger.png"));
        QCOMPARE(g->amountColumn("money_into_number")->Boxes, 10);
        QVERIFY(!g->amountColumn("MONEY_OUT_NUMBER"));

        // A memo column opens the shared pop-up bound to the same field.
        const int note = g->columnOf("MONEY_TEXT_NOTE");
        w.query.fields()[note].type = FieldType::Memo;
        g->PopupCell(note);
        TFormMemo *memo = TFormMemo::instance();
        QVERIFY(memo->isVisible());
        QCOMPARE(memo->windowTitle(), QStringLiteral("备注"));
        QCOMPARE(memo->memo()->toPlainText(), QStringLiteral("备注 1"));
        QVERIFY(!memo->memo()->isReadOnly());
        w.query.EditRecord();
        memo->memo()->setPlainText(QStringLiteral("改过的备注"));
        QCOMPARE(w.query.text("MONEY_TEXT_NOTE"), QStringLiteral("改过的备注"));
        w.query.CancelRecord();
        g->MemoEditable = false;
        g->PopupCell(note);
        QVERIFY(memo->memo()->isReadOnly());
        memo->close();
        g->PopupCell(g->columnOf("MONEY_ID"));     // not a memo: nothing opens
        QVERIFY(!memo->isVisible());
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestOrbNDBGrid)
#include "tst_OrbNDBGrid.moc"
