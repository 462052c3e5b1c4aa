// The per-window guard: close guard, focus movement, placement, the look and
// the notifications to the controller.
#include "data/TestSupport.h"
#include "rights/ChildInterfaces.h"
#include "rights/ChildMessages.h"
#include "rights/ChildPlacement.h"
#include "rights/ImeName.h"
#include "rights/OrbChild.h"
#include "rights/WidgetTag.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

using namespace Orb;

namespace {

// Stands in for a query of the window in browse, insert or edit state.
class FakeDataSet : public QObject, public IOrbDataSet {
public:
    explicit FakeDataSet(QObject *parent) : QObject(parent) {}
    bool editing = false;
    bool closed = false;
    QString dataBaseName;
    bool IsEditing() const override { return editing; }
    void CloseDataSet() override { closed = true; }
    void SetDataBaseName(const QString &name) override { dataBaseName = name; }
};

struct Window {
    QWidget widget;
    QLineEdit *edit1, *edit2;
    QPlainTextEdit *memo;
    QTableView *grid;
    QPushButton *button;
    FakeDataSet *data;
    QStandardItemModel model{3, 1};
    TOrbChild *child;
    Window()
    {
        auto *l = new QVBoxLayout(&widget);
        l->addWidget(edit1 = new QLineEdit);
        l->addWidget(edit2 = new QLineEdit);
        l->addWidget(memo = new QPlainTextEdit);
        l->addWidget(grid = new QTableView);
        l->addWidget(button = new QPushButton("ok"));
        edit1->setObjectName("edit1");
        edit2->setObjectName("edit2");
        memo->setObjectName("memo");
        grid->setObjectName("grid");
        grid->setModel(&model);
        grid->setCurrentIndex(model.index(0, 0));
        data = new FakeDataSet(&widget);
        child = new TOrbChild(&widget);
        child->Language = "GB";
        child->DataBaseName = "OrbCashierDataBase";
        child->Attach();
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
    }
};

} // namespace

class TestOrbChild : public QObject {
    Q_OBJECT
private slots:
    void closeGuard()
    {
        RecordingMessageSink sink;
        Window w;
        QSignalSpy closed(&ChildMessages::instance(), &ChildMessages::TOrbCloseFormMessage);
        const int id = w.child->WindowId();
        QVERIFY(id > 0);
        w.data->editing = true;
        QVERIFY(!w.widget.close());
        QCOMPARE(sink.texts(), QStringList{"必须先保存或取消新增的数据或修改后的数据"});
        QVERIFY(w.widget.isVisible());
        QVERIFY(!w.data->closed);

        SetWidgetTag(w.data, 1);   // a data set with a tag does not hold the window
        QVERIFY(w.widget.close());
        QVERIFY(w.data->closed);
        QTRY_COMPARE(closed.size(), 1);
        QCOMPARE(closed.at(0).at(0).toInt(), id);
        QCOMPARE(w.child->WindowId(), -1);
    }

    void focusMovement()
    {
        Window w;
        w.edit1->setFocus();
        QTest::keyClick(w.edit1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.edit2);
        QTest::keyClick(w.edit2, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w.edit1);
        QTest::keyClick(w.edit1, Qt::Key_Down);
        QTest::keyClick(w.edit2, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.memo);

        // Enter in the memo is a line break, Down moves its cursor.
        QTest::keyClicks(w.memo, "a");
        QTest::keyClick(w.memo, Qt::Key_Return);
        QTest::keyClicks(w.memo, "b");
        QCOMPARE(w.memo->toPlainText(), QString("a\nb"));
        QTest::keyClick(w.memo, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.memo);

        // Down in the grid moves its row, not the focus.
        w.grid->setFocus();
        QTest::keyClick(w.grid, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.grid);
        QCOMPARE(w.grid->currentIndex().row(), 1);

        // Enter on a button presses it.
        QSignalSpy clicked(w.button, &QPushButton::clicked);
        w.button->setFocus();
        QTest::keyClick(w.button, Qt::Key_Return);
        QCOMPARE(clicked.size(), 1);

        w.child->EnterMove = false;
        w.edit1->setFocus();
        QTest::keyClick(w.edit1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.edit1);
    }

    void placement_data()
    {
        QTest::addColumn<int>("mainHeight");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("mainWidth");
        QTest::addColumn<int>("width");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("100 lower") << 700 << 600 << 1000 << 400 << QPoint(299, 55);
        QTest::newRow("300 lower: capped") << 700 << 400 << 1000 << 400 << QPoint(299, 90);
        QTest::newRow("wider than main") << 700 << 600 << 600 << 900 << QPoint(2, 55);
    }
    void placement()
    {
        QFETCH(int, mainHeight);
        QFETCH(int, height);
        QFETCH(int, mainWidth);
        QFETCH(int, width);
        QFETCH(QPoint, at);
        QCOMPARE(ChildPlacement(mainHeight, mainWidth, height, width), at);
    }

    void showChildNotifiesAndPlaces()
    {
        QWidget main;
        main.setGeometry(0, 0, 1000, 700);
        ChildMessages::instance().setMainWindow(&main);
        QSignalSpy shown(&ChildMessages::instance(), &ChildMessages::TOrbShowFormMessage);
        QSignalSpy hidden(&ChildMessages::instance(), &ChildMessages::TOrbHideFormMessage);
        QWidget window;
        window.resize(400, 600);
        auto *child = new TOrbChild(&window);
        child->NotTopShow = true;
        child->Attach();
        QCOMPARE(child->ShowChild(90), child->WindowId());
        QVERIFY(window.isVisible());
        QVERIFY(!(window.windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(window.pos(), QPoint(299, 55));
        QTRY_COMPARE(shown.size(), 1);
        window.showMinimized();
        QTRY_COMPARE(hidden.size(), 1);
        ChildMessages::instance().setMainWindow(nullptr);
    }

    void oneGuardPerWindow()
    {
        QWidget window;
        new TOrbChild(&window);
        try {
            new TOrbChild(&window);
            QFAIL("a second TOrbChild was accepted");
        } catch (const std::logic_error &e) {
            QCOMPARE(QString::fromUtf8(e.what()), QString("TOrbChild控件只能有一个"));
        }
    }

    void inputMethods()
    {
        // A number field of the in-house edit family.
        struct NumberEdit : QLineEdit, IOrbEditControl {
            bool IsStringEdit() const override { return false; }
        };
        QWidget window;
        auto *text = new QLineEdit(&window);
        auto *number = new NumberEdit;
        number->setParent(&window);
        auto *date = new QDateEdit(&window);
        auto *grid = new QTableView(&window);
        auto *skipped = new QLineEdit(&window);
        SetWidgetTag(skipped, 100);
        skipped->setAttribute(Qt::WA_InputMethodEnabled, false);
        for (QWidget *w : std::initializer_list<QWidget *>{number, date, grid})
            w->setAttribute(Qt::WA_InputMethodEnabled, true);
        ApplyImeName(&window, "fcitx5");
        QVERIFY(text->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!number->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!date->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!grid->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(!skipped->testAttribute(Qt::WA_InputMethodEnabled));   // tag 100 untouched
    }

    void look()
    {
        Window w;
        QCOMPARE(w.data->dataBaseName, QString("OrbCashierDataBase"));
        QCOMPARE(w.edit1->font().family(), QString("宋体"));
        QCOMPARE(w.edit1->font().pointSize(), 9);
        QVERIFY(w.edit1->styleSheet().contains("#fefaf1"));   // $F1FAFE
        QLineEdit highlighted(&w.widget);
        SetWidgetTag(&highlighted, 100);
        QLineEdit display(&w.widget);
        SetWidgetTag(&display, 3);
        w.child->ApplyStyle();
        QCOMPARE(highlighted.styleSheet(),
                 QString("QLineEdit{background-color:#eefdfd;} "
                         "QLineEdit:focus{background-color:#c7f7f8;}"));
        QCOMPARE(display.styleSheet(), QString("QLineEdit{background-color:#befdb7;} "
                                               "QLineEdit:focus{background-color:#befdb7;}"));
        QCOMPARE(w.grid->palette().color(QPalette::Base), QColor("#fefaf1"));
        // "宋体" resolves to a CJK font through the shipped alias.
        const QFontInfo info(w.edit1->font());
        QVERIFY2(!info.family().contains("DejaVu"), qPrintable(info.family()));
    }
};

QTEST_MAIN(TestOrbChild)
#include "tst_OrbChild.moc"
