// TOrbDataSource and the entry controls on a small window over the money
// types table, on both engines: buttons by state and rights, recolouring and
// tag modes, bound edits, key filter and input method, combo edits, lookups.
#include "common/TestDb.h"
#include "components/EntryBehaviour.h"
#include "components/LookupSql.h"
#include "components/OrbComboBoxes.h"
#include "components/OrbComboEdits.h"
#include "components/OrbDataSource.h"
#include "components/OrbEdits.h"
#include "components/OrbQueryUnit.h"
#include "components/Tag.h"
#include "data/ErrorTranslation.h"
#include "data/OrbFun.h"
#include "data/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

using namespace Orb;

namespace {

const QString kTypes = QStringLiteral("ORB_MONEY_INTO_OUT_TYPE_TABLE");

void AddType(const QString &id, const QString &name, int order)
{
    QVERIFY(ExecSql("INSERT INTO ORB_MONEY_INTO_OUT_TYPE_TABLE(MONEY_TYPE_ID,PRIOR_ID,ORDER_ID,"
                    "MONEY_TYPE_NAME) VALUES(" + QuotedStr(id) + ",'G001',"
                    + QString::number(order)
                    + "," + QuotedStr(name) + ")"));
}

void Commit(QWidget *w, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

// A small window: a query over the types table, its data source, buttons and
// the entry controls the tests need.
struct TestWindow {
    QWidget window;
    TOrbQuery query;
    TOrbDataSource *ds;
    QPushButton *add, *edit, *save, *cancel, *del;
    QAction *toolAdd;
    TOrbDBEdit *name;
    TOrbDBEdit *id;
    TOrbEdit *number;
    TOrbDBComboEdit *combo;

    TestWindow()
    {
        window.setObjectName("TestForm");
        query.setTableName(kTypes);
        query.SQL = "SELECT * FROM ORB_MONEY_INTO_OUT_TYPE_TABLE ORDER BY ORDER_ID";
        ds = new TOrbDataSource(&window);
        ds->setDataSet(&query);
        auto button = [this](const char *n) {
            auto *b = new QPushButton(QString::fromLatin1(n), &window);
            b->setObjectName(QString::fromLatin1(n));
            return b;
        };
        add = button("button_add");
        edit = button("button_edit");
        save = button("button_save");
        cancel = button("button_cancel");
        del = button("button_delete");
        toolAdd = new QAction(&window);
        ds->Button_Add = add;
        ds->Button_Edit = edit;
        ds->Button_Save = save;
        ds->Button_Cancel = cancel;
        ds->Button_Delete = del;
        ds->ButtonAdd = toolAdd;
        name = new TOrbDBEdit(&window);
        name->setObjectName("OrbDBEdit_MONEY_TYPE_NAME");
        name->setDataSource(ds, "MONEY_TYPE_NAME");
        id = new TOrbDBEdit(&window);
        id->setObjectName("OrbDBEdit_MONEY_TYPE_ID");
        id->setDataSource(ds, "MONEY_TYPE_ID");
        number = new TOrbEdit(&window);
        number->setObjectName("OrbEdit_NUMBER");
        number->setEditType(etFloat);
        SetTag(number, 100);     // not driven by the data source
        combo = new TOrbDBComboEdit(&window);
        combo->setObjectName("OrbDBComboEdit_NOTE");
        combo->setDataSource(ds, "NOTE");
        combo->setButtonCaption("...");
        int y = 0;
        for (QWidget *w : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            w->setGeometry(10, y, 200, 21);
            y += 24;
        }
        window.resize(240, y + 10);
    }
    void start()
    {
        ds->ActiveColor = true;
        ds->InitStateChange();
        ds->ApplyRights();
        ds->ChangeColor();
        query.OpenQuery();
        window.show();
        QApplication::setActiveWindow(&window);
    }
};

} // namespace

class TestOrbDataSource : public QObject {
    Q_OBJECT
public:
    explicit TestOrbDataSource(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        LogonUserName = QStringLiteral("张三");
        WorkDate = "2009-01-15";
        AddType("001", QStringLiteral("收入"), 1);
        AddType("002", QStringLiteral("支出"), 2);
    }
    void cleanup() { m_db.reset(); }

    void buttonsFollowStateAndRights()
    {
        TestWindow w;
        w.ds->RightEdit = false;
        w.start();
        QVERIFY(w.add->isEnabled() && w.toolAdd->isEnabled() && w.del->isEnabled());
        QVERIFY(!w.edit->isEnabled());
        QVERIFY(!w.save->isEnabled() && !w.cancel->isEnabled());
        w.query.EditRecord();
        QVERIFY(!w.add->isEnabled() && !w.edit->isEnabled() && !w.del->isEnabled());
        QVERIFY(w.save->isEnabled() && w.cancel->isEnabled());
        w.query.CancelRecord();
        QVERIFY(w.add->isEnabled());
        QVERIFY(!w.edit->isEnabled());

        TestWindow v;
        v.ds->RightAdd = false;
        v.start();
        QVERIFY(!v.add->isEnabled() && !v.toolAdd->isEnabled());
        QVERIFY(v.edit->isEnabled());
    }

    void colorsAndReadOnlyByState()
    {
        TestWindow w;
        w.ds->EditColor = QColor(0xFD, 0xFD, 0xEE);
        w.ds->ColorOnFocus = QColor(0xC7, 0xF7, 0xF8);
        w.start();
        QVERIFY(w.name->isReadOnly());
        QCOMPARE(WidgetColor(w.name), w.ds->BrowseColor);
        QCOMPARE(w.name->text(), QStringLiteral("收入"));
        w.id->setFocus();
        w.query.EditRecord();
        QVERIFY(!w.name->isReadOnly());
        QCOMPARE(WidgetColor(w.name), w.ds->EditColor);
        w.name->setFocus();
        QCOMPARE(WidgetColor(w.name), w.ds->ColorOnFocus);
        w.id->setFocus();
        QCOMPARE(WidgetColor(w.name), w.ds->EditColor);
        const QString dir = qEnvironmentVariable("ORB_SHOT_DIR");
        if (!dir.isEmpty())
            w.window.grab().save(dir + "/entry_edit.png");
        w.query.CancelRecord();
        QVERIFY(w.name->isReadOnly());
        if (!dir.isEmpty())
            w.window.grab().save(dir + "/entry_browse.png");
        w.query.Next();
        QCOMPARE(w.name->text(), QStringLiteral("支出"));
    }

    void activeColorOffLeavesTheLookAlone()
    {
        TestWindow w;
        int calls = 0;
        w.ds->OnStateChange = [&](TOrbDataSource *) { ++calls; };
        w.start();
        w.ds->ActiveColor = false;
        const QColor before = WidgetColor(w.name);
        const int seen = calls;
        w.query.EditRecord();
        QVERIFY(w.name->isReadOnly());
        QCOMPARE(WidgetColor(w.name), before);
        QVERIFY(w.add->isEnabled());
        QVERIFY(calls > seen);
    }

    void tagFourEditStaysReadOnlyOutOfTabOrder()
    {
        TestWindow w;
        SetTag(w.id, 4);
        w.start();
        w.query.EditRecord();
        QVERIFY(w.id->isReadOnly());
        QVERIFY(!(w.id->focusPolicy() & Qt::TabFocus));
        w.name->setFocus();
        QTest::keyClick(w.name, Qt::Key_Tab);
        QVERIFY(!w.id->hasFocus());
    }

    void tagConventionsInThePlainMode()
    {
        TestWindow w;
        auto *tag30 = new QPushButton(&w.window);
        SetTag(tag30, 30);
        auto *tag5 = new QPushButton(&w.window);
        SetTag(tag5, 5);
        auto *tag100 = new TOrbDBEdit(&w.window);
        tag100->setDataSource(w.ds, "NOTE");
        SetTag(tag100, 100);
        tag100->setReadOnly(false);
        auto *tag2 = new TOrbDBEdit(&w.window);
        tag2->setDataSource(w.ds, "NOTE");
        SetTag(tag2, 2);
        auto *combo6 = new TOrbComboEdit(&w.window);
        SetTag(combo6, 6);
        auto *combo7 = new TOrbDBComboEdit(&w.window);
        combo7->setDataSource(w.ds, "NOTE");
        SetTag(combo7, 7);
        auto *caption7 = new TOrbLDBComboEdit(&w.window);
        caption7->setDataSource(w.ds, "NOTE");
        SetTag(caption7, 7);
        auto *chooser = new TOrbComboBox(&w.window);
        auto *chooser2 = new TOrbComboBox(&w.window);
        SetTag(chooser2, 2);
        auto *lookup2 = new TOrbDBLookupComboBox(&w.window);
        SetTag(lookup2, 2);
        auto *lookup200 = new TOrbDBLookupListBox(&w.window);
        SetTag(lookup200, 200);
        auto *lookup = new TOrbDBLookupListBox(&w.window);
        w.start();
        // browsing
        QVERIFY(tag30->isEnabled() && tag5->isEnabled());
        QVERIFY(!tag100->isReadOnly());
        QVERIFY(tag2->isReadOnly());
        QVERIFY(combo6->ButtonEnabled() && combo6->isReadOnly());
        QVERIFY(combo7->ButtonEnabled() && combo7->isReadOnly());
        QVERIFY(chooser->isEnabled() && chooser2->isEnabled());
        QVERIFY(!lookup2->isReadOnly() && !lookup200->isReadOnly() && lookup->isReadOnly());
        w.query.EditRecord();
        QVERIFY(!tag30->isEnabled() && !tag5->isEnabled());
        QVERIFY(!tag100->isReadOnly());
        QVERIFY(tag2->isReadOnly());
        QVERIFY(!combo6->ButtonEnabled() && !combo6->isReadOnly());
        QVERIFY(!combo7->ButtonEnabled() && combo7->isReadOnly());
        QVERIFY(caption7->isReadOnly());
        QVERIFY(!chooser->isEnabled() && chooser2->isEnabled());
        QVERIFY(!lookup2->isReadOnly() && !lookup200->isReadOnly() && !lookup->isReadOnly());
        w.query.CancelRecord();
    }

    void typedTextIsSaved()
    {
        TestWindow w;
        w.start();
        w.query.EditRecord();
        w.name->setFocus();
        w.name->selectAll();
        QTest::keyClicks(w.name, "AB");
        Commit(w.name, QStringLiteral("类"));
        // Saved by key while the box still has the focus.
        w.query.SaveRecord();
        QCOMPARE(GetSqlText("SELECT MONEY_TYPE_NAME FROM ORB_MONEY_INTO_OUT_TYPE_TABLE WHERE "
                            "MONEY_TYPE_ID = '001'"),
                 QStringLiteral("AB类"));
    }

    void validationFocusesTheBoundControl()
    {
        TestWindow w;
        TFieldsData e;
        e.FieldName = "MONEY_TYPE_NAME";
        e.Caption = QStringLiteral("类别名称");
        e.Required = true;
        w.query.SetFieldsData(MakeArray<TFieldsData>({e, TFieldsData{"MONEY_TYPE_ID"}}));
        w.start();
        w.query.EditRecord();
        w.name->selectAll();
        w.name->setFocus();
        QTest::keyClick(w.name, Qt::Key_Delete);
        w.id->setFocus();
        RecordingMessageSink sink;
        QVERIFY(!Guarded([&] { w.query.SaveRecord(); }));
        QCOMPARE(sink.last(), QStringLiteral("类别名称必须有一个值"));
        QVERIFY(w.name->hasFocus());
        w.query.CancelRecord();
    }

    void masterAndDetailTagModes()
    {
        TestWindow w;
        TOrbQuery detail;
        detail.setTableName(kTypes);
        auto *dds = new TOrbDataSource(&w.window);
        dds->setDataSet(&detail);
        dds->IS_DETAIL_CHANGE = true;
        dds->ActiveColor = true;
        w.ds->IS_MASTER_CHANGE = true;
        auto *detailName = new TOrbDBEdit(&w.window);
        detailName->setDataSource(dds, "MONEY_TYPE_NAME");
        SetTag(detailName, 500);
        auto *detailKey = new TOrbDBEdit(&w.window);
        detailKey->setDataSource(dds, "MONEY_TYPE_ID");
        SetTag(detailKey, 502);
        dds->InitStateChange();
        w.start();
        detail.OpenQuery();
        detailName->setReadOnly(true);
        w.query.EditRecord();
        QVERIFY(!w.name->isReadOnly());
        QVERIFY(detailName->isReadOnly());      // the master change leaves 500+ alone
        w.query.CancelRecord();
        detail.EditRecord();
        QVERIFY(!detailName->isReadOnly());
        QVERIFY(detailKey->isReadOnly());        // 502: always read-only
        QVERIFY(w.name->isReadOnly());           // the detail change leaves the master alone
        detail.CancelRecord();
    }

    void keyFilterInTheBox()
    {
        TestWindow w;
        w.start();
        w.number->setFocus();
        QCOMPARE(w.number->maxLength(), 16);
        QTest::keyClicks(w.number, "12.3.4a-");
        QCOMPARE(w.number->text(), QString("12.34-"));
        QTest::keyClick(w.number, '-');
        QCOMPARE(w.number->text(), QString("12.34-"));
        w.number->selectAll();
        QTest::keyClicks(w.number, "x");
        QCOMPARE(w.number->text(), QString("x"));
        Commit(w.number, QStringLiteral("五6"));
        QCOMPARE(w.number->text(), QString("x6"));
    }

    void inputMethodIsRememberedFromTextFields()
    {
        SetInputMethodNameSource([] { return QStringLiteral("中文(简体) - 拼音"); });
        ImeName.clear();
        TestWindow w;
        w.start();
        QVERIFY(!w.number->testAttribute(Qt::WA_InputMethodEnabled));
        w.number->setFocus();
        Commit(w.number, "1");
        w.name->setFocus();
        QVERIFY(ImeName.isEmpty());               // number boxes never set it
        w.query.EditRecord();
        Commit(w.name, QStringLiteral("甲"));
        w.id->setFocus();
        QCOMPARE(ImeName, QStringLiteral("中文(简体) - 拼音"));
        QVERIFY(w.id->testAttribute(Qt::WA_InputMethodEnabled));
        QCOMPARE(w.id->property("ImeName").toString(), ImeName);
        w.query.CancelRecord();
        SetInputMethodNameSource(nullptr);
    }

    void comboEditButtonAndClickKey()
    {
        TestWindow w;
        int clicks = 0;
        w.combo->OnButtonClick = [&](QObject *) {
            ++clicks;
            w.combo->setText(QStringLiteral("选来的"));
        };
        w.start();
        QVERIFY(!w.combo->ButtonEnabled());      // enabled only while editing
        w.query.EditRecord();
        QVERIFY(w.combo->ButtonEnabled());
        w.combo->setFocus();
        QTest::keyClick(w.combo, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(clicks, 1);
        QCOMPARE(w.query.text("NOTE"), QStringLiteral("选来的"));
        w.combo->DirectInput = false;
        QTest::keyClicks(w.combo, "zz");
        QCOMPARE(w.combo->text(), QStringLiteral("选来的"));
        QTest::mouseClick(w.combo->button(), Qt::LeftButton);
        QCOMPARE(clicks, 2);
        w.query.CancelRecord();
        SetTag(w.combo, 6);
        w.ds->ChangeColor();
        QVERIFY(w.combo->ButtonEnabled());       // tag 6: only while browsing

        TOrbLComboEdit caption(&w.window);
        caption.setButtonCaption(QStringLiteral("选择"));
        int captionClicks = 0;
        caption.OnButtonClick = [&](QObject *) { ++captionClicks; };
        caption.show();
        caption.setFocus();
        QTest::keyClick(&caption, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(captionClicks, 0);              // no ClickKey
    }

    void lookupComboWritesTheKey()
    {
        TestWindow w;
        TOrbQuery list;
        list.setTableName(kTypes);
        list.SQL = "SELECT MONEY_TYPE_ID,MONEY_TYPE_NAME FROM ORB_MONEY_INTO_OUT_TYPE_TABLE "
                   "ORDER BY ORDER_ID";
        list.OpenQuery();
        auto *lookup = new TOrbDBLookupComboBox(&w.window);
        lookup->setDataSource(w.ds, "NOTE");
        lookup->setListSource(&list, "MONEY_TYPE_ID", "MONEY_TYPE_NAME");
        w.start();
        QCOMPARE(lookup->count(), 2);
        QVERIFY(lookup->isReadOnly());
        w.query.EditRecord();
        QVERIFY(!lookup->isReadOnly());
        lookup->setCurrentIndex(1);
        QCOMPARE(w.query.text("NOTE"), QString("002"));
        w.query.CancelRecord();
    }

    void lookupWithQuoteFindsThatTextOnly()
    {
        for (const QString &v : {QStringLiteral("O'Brien"), QStringLiteral("OBrien"),
                                 QStringLiteral("O''Brien"), QStringLiteral("5%折扣"),
                                 QStringLiteral("50折扣")})
            QVERIFY(ExecSql("INSERT INTO ORB_MONEY_TEXT_FIELD1_TABLE(MONEY_TEXT_FIELD1) VALUES("
                            + QuotedStr(v) + ")"));
        auto found = [](const QString &typed) {
            QStringList out;
            auto q = OpenSql(
                LookupTextSql("ORB_MONEY_TEXT_FIELD1_TABLE", "MONEY_TEXT_FIELD1", typed));
            while (q->next())
                out << q->value(0).toString();
            return out;
        };
        QCOMPARE(found("O'B"), QStringList{"O'Brien"});
        QCOMPARE(found("5%"), QStringList{QStringLiteral("5%折扣")});
        QCOMPARE(found("x' OR '1'='1"), QStringList());
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestOrbDataSource)
#include "tst_OrbDataSource.moc"
