// The small input windows: year and month checks through the windows'
// buttons, the start value of the month window, the widths of 数据选择窗口.

#include "data/DialogRunner.h"
#include "data/TestSupport.h"
#include "forms/ChoiceLookups.h"
#include "forms/PickerRules.h"
#include "forms/SelectItemForm.h"
#include "forms/SelectMonthForm.h"
#include "forms/SetStatusForm.h"
#include "forms/ShowPictureForm.h"
#include "forms/YearForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QtTest>

using namespace Orb;

class tst_Pickers : public QObject {
    Q_OBJECT
private slots:
    void monthChecks_data();
    void monthChecks();
    void initMonth_data();
    void initMonth();
    void yearForm_data();
    void yearForm();
    void widths_data();
    void widths();
    void statusForm_data();
    void statusForm();
    void statusRefused();
    void selectItem_data();
    void selectItem();
    void sortOrder();
    void oneOfTwo();
    void picture();
};

void tst_Pickers::monthChecks_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");
    QTest::newRow("no year") << "" << "03" << "必须有一个年份" << "YearEdit";
    QTest::newRow("short year") << "206" << "03"
                                << "错误的年份,正确的年份如2000年是:\"2000\"" << "YearEdit";
    QTest::newRow("no month") << "2006" << "" << "必须输入月份" << "MonthEdit";
    QTest::newRow("one digit") << "2006" << "3" << "月份必须是2位数，如2月应为：02 "
                               << "MonthEdit";
    QTest::newRow("month 13") << "2006" << "13" << "月份不能大于12" << "MonthEdit";
    QTest::newRow("month 00") << "2006" << "00" << "月份不能小于1" << "MonthEdit";
    QTest::newRow("accepted") << "2006" << "12" << "" << "";
}

void tst_Pickers::monthChecks()
{
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, message);
    QFETCH(QString, focused);
    RecordingMessageSink sink;
    TSelectMonthForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.findChild<QLineEdit *>(QStringLiteral("YearEdit"))->setText(year);
    form.findChild<QLineEdit *>(QStringLiteral("MonthEdit"))->setText(month);
    QTest::keyClick(&form, Qt::Key_F3);
    QCOMPARE(sink.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (message.isEmpty()) {
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(!form.isVisible());
    } else {
        QVERIFY(form.isVisible());   // the window stays open
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    }
}

void tst_Pickers::initMonth_data()
{
    QTest::addColumn<QString>("init");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::newRow("read") << "2006年03月" << "2006" << "03";
    QTest::newRow("not numbers") << "abcd年03月" << "" << "";
    QTest::newRow("wrong length") << "2006年3月" << "" << "";
}

void tst_Pickers::initMonth()
{
    QFETCH(QString, init);
    QFETCH(QString, year);
    QFETCH(QString, month);
    TSelectMonthForm form;
    form.InitMonth = init;
    form.show();
    QCOMPARE(form.YearEdit->text(), year);
    QCOMPARE(form.MonthEdit->text(), month);
    QCOMPARE(form.windowTitle(), QStringLiteral("收支年月输入窗口"));
}

void tst_Pickers::yearForm_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "" << "必须输入删除数据的年份";
    QTest::newRow("short") << "99" << "错误的年份,正确的年份如2000年是:\"2000\"";
    QTest::newRow("accepted") << "2004" << "";
}

void tst_Pickers::yearForm()
{
    QFETCH(QString, year);
    QFETCH(QString, message);
    RecordingMessageSink sink;
    TYearForm form;
    form.show();
    form.YearEdit->setText(year);
    form.findChild<QPushButton *>(QStringLiteral("Button_ok"))->click();
    QCOMPARE(sink.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(form.isVisible(), !message.isEmpty());
}

void tst_Pickers::widths_data()
{
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<int>>("expected");
    // 60 in 3 fields: each grows by 42/3 - 1 = 13.
    QTest::newRow("grow") << QList<int>{10, 20, 30} << QList<int>{23, 33, 43};
    // (102 - 84) / 4 - 1 = 3.5 rounds to the even 4.
    QTest::newRow("grow half to even") << QList<int>{20, 20, 22, 22} << QList<int>{24, 24, 26, 26};
    // S = 302, N = 4: a = 200/4 - 1 = 49; 200 > 8a = 392? no; > 6a = 294? no; > 3a = 147 -> -49
    QTest::newRow("narrow by a") << QList<int>{200, 50, 40, 12} << QList<int>{151, 50, 40, 12};
    // S = 140, N = 5: a = 38/5 - 1 = 6.6 -> 7; 100 > 10a -> narrowed by 4a.
    QTest::newRow("narrow wide one") << QList<int>{100, 10, 10, 10, 10}
                                     << QList<int>{72, 10, 10, 10, 10};
    // S = 130, N = 10: a = 2.8 - 1 = 1.8 -> 2; >20: -8, >16: -6, >12: -4, >6: -2.
    QTest::newRow("steps") << QList<int>{21, 17, 13, 7, 6, 14, 14, 14, 12, 12}
                           << QList<int>{13, 11, 9, 5, 6, 10, 10, 10, 10, 10};
    // S = 104, N = 4: a = 0.5 - 1 -> 0 (rounded to even): nothing changes.
    QTest::newRow("just over") << QList<int>{26, 26, 26, 26} << QList<int>{26, 26, 26, 26};
    // S = 103, N = 5: a = -0.8 -> -1; a negative step must not widen the columns.
    QTest::newRow("no widening") << QList<int>{21, 21, 21, 20, 20}
                                 << QList<int>{21, 21, 21, 20, 20};
    QTest::newRow("none") << QList<int>{} << QList<int>{};
}

void tst_Pickers::widths()
{
    QFETCH(QList<int>, widths);
    QFETCH(QList<int>, expected);
    QCOMPARE(SelectFormWidths(widths), expected);
}

void tst_Pickers::statusForm_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("preselected");
    QTest::newRow("current is the first") << "未审核" << "已审核";
    QTest::newRow("current is the second") << "已审核" << "未审核";
    QTest::newRow("no current") << "" << "未审核";
}

void tst_Pickers::statusForm()
{
    QFETCH(QString, current);
    QFETCH(QString, preselected);
    TSetStatusForm form(QStringList{"未审核", "已审核"}, current);
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("状态选择窗口"));
    QCOMPARE(form.findChild<QComboBox *>(QStringLiteral("StatusComboBox"))->currentText(),
             preselected);
    form.findChild<QCheckBox *>(QStringLiteral("AllCheckBox"))->setChecked(true);
    form.findChild<QPushButton *>(QStringLiteral("button_ok"))->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.Status(), preselected);
    QVERIFY(form.AllEntries());
}

void tst_Pickers::statusRefused()
{
    RecordingMessageSink sink;
    TSetStatusForm form(QStringList{}, QString());
    form.show();
    form.button_ok->click();
    QCOMPARE(sink.texts(), QStringList{"必须选择状态"});
    QVERIFY(form.isVisible());
}

void tst_Pickers::selectItem_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("chosen");
    QTest::newRow("two") << QStringList{"打印", "预览"} << 89 << 0;
    QTest::newRow("three") << QStringList{"a", "b", "c"} << 113 << 3;
    QTest::newRow("four") << QStringList{"a", "b", "c", "d"} << 129 << 2;
}

void tst_Pickers::selectItem()
{
    QFETCH(QStringList, items);
    QFETCH(int, height);
    QFETCH(int, chosen);
    TSelectItemQueryForm form(items);
    form.show();
    QCOMPARE(form.RadioGroup->height(), height);
    QVERIFY(form.findChild<QRadioButton *>(QStringLiteral("RadioItem1"))->isChecked());
    if (chosen)
        form.findChild<QRadioButton *>(QStringLiteral("RadioItem%1").arg(chosen))->click();
    form.findChild<QPushButton *>(QStringLiteral("Button_ok"))->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.ItemNo, chosen ? chosen : 1);
    QVERIFY(form.findChild<QPushButton *>(QStringLiteral("Button_Close")));
}

void tst_Pickers::sortOrder()
{
    QStringList captions, fields, shown;
    for (int i = 1; i <= 14; ++i) {
        captions << QStringLiteral("字段%1").arg(i);
        fields << QStringLiteral("F%1").arg(i);
    }
    int groupHeight = 0;
    QString title;
    ScopedDialogHandler handler([&](QDialog *d) {
        auto *form = static_cast<TSelectItemForm *>(d);
        d->show();
        title = d->windowTitle();
        groupHeight = form->RadioGroup->height();
        for (QAbstractButton *b : form->Buttons->buttons())
            shown << b->text();
        form->Buttons->button(12)->click();
        form->Button_ok->click();
        return d->result();
    });
    QString order;
    QVERIFY(ChooseSortOrder(captions, fields, QStringLiteral("A"), order,
                            QStringLiteral("排序选择")));
    QCOMPARE(order, QStringLiteral(" ORDER BY A.F12"));
    QCOMPARE(title, QStringLiteral("排序选择"));
    QCOMPARE(shown.size(), 12);
    QCOMPARE(shown.first(), QStringLiteral("按字段1排序"));
    QCOMPARE(groupHeight, 166);
}

void tst_Pickers::oneOfTwo()
{
    int pick = 2;
    ScopedDialogHandler handler([&](QDialog *d) {
        auto *form = static_cast<TSelectItemForm *>(d);
        d->show();
        if (pick == 0)
            return int(QDialog::Rejected);
        form->Buttons->button(pick)->click();
        form->Button_ok->click();
        return d->result();
    });
    QCOMPARE(ChooseOneOfTwo(QStringLiteral("打印"), QStringLiteral("预览"), QStringLiteral("t")), 2);
    pick = 0;
    QCOMPARE(ChooseOneOfTwo(QStringLiteral("打印"), QStringLiteral("预览"), QStringLiteral("t")), 0);
}

void tst_Pickers::picture()
{
    QTemporaryDir dir;
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString bmp = dir.filePath(QStringLiteral("a.bmp"));
    QVERIFY(image.save(bmp, "BMP"));
    const QString broken = dir.filePath(QStringLiteral("b.jpg"));
    QFile f(broken);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();

    RecordingMessageSink sink;
    TShowPictureForm form;
    QVERIFY(form.LoadPicture(bmp, QStringLiteral("x.BMP")));
    QCOMPARE(form.Image1->size(), QSize(40, 30));
    form.show();
    const QPoint off = form.Image1->geometry().center() - form.Panel->rect().center();
    QVERIFY2(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1, "centred in the panel");
    TShowPictureForm gif;
    QVERIFY(gif.LoadPicture(bmp, QStringLiteral("x.gif")));    // loads nothing, succeeds
    QVERIFY(gif.Image1->pixmap().isNull());
    QVERIFY(sink.texts().isEmpty());
    QVERIFY(!form.LoadPicture(broken, broken));
    QCOMPARE(sink.texts(), QStringList{"图形文件装载过程发生错误"});

    sink.clear();
    QString shownTitle;
    ScopedDialogHandler handler([&](QDialog *d) {
        shownTitle = d->windowTitle();
        return int(QDialog::Rejected);
    });
    QVERIFY(ShowPictureFile(QStringLiteral("张三的照片"), bmp));
    QCOMPARE(shownTitle, QStringLiteral("张三的照片"));
    QVERIFY(!ShowPictureFile(QStringLiteral("t"), broken));
    QCOMPARE(sink.texts(), QStringList{"图片文件打开错误"});
}

QTEST_MAIN(tst_Pickers)

#include "tst_Pickers.moc"
