// The find windows driven through their named inputs: the condition and
// description they hand back, the refusals, the pop-up and date inputs,
// the operator rules of the kinds, "全部数据", and a screenshot.

#include "data/DateForm.h"
#include "data/DialogRunner.h"
#include "data/TestSupport.h"
#include "forms/OrbFindForm.h"
#include "forms/OrbFindSimpleForm.h"

#include <QCalendarWidget>
#include <QDir>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

using namespace Orb;

namespace {

TFieldsData Field(const char *name, const char *caption, const char *kind, const char *dataKind,
                  const char *values = "")
{
    TFieldsData f;
    f.FieldName = QString::fromUtf8(name);
    f.Caption = QString::fromUtf8(caption);
    f.FindKind = QString::fromUtf8(kind);
    f.DataKind = QString::fromUtf8(dataKind);
    f.FindValues = QString::fromUtf8(values);
    return f;
}

QList<TFieldsData> Fields()
{
    return {Field("NAME", "姓名", "T", "C"),
            Field("AMOUNT", "金额", "T", "N"),
            Field("DDATE", "日期", "D", "D"),
            Field("EMP_NAME", "职员", "ES", "C", "EMP_ID"),
            Field("DEPT", "部门", "BS", "C"),
            Field("MEMO", "备注", "", "C"),          // no find kind: not offered
            Field("KIND", "类型", "B", "C", "现金;银行")};
}

template <class T>
T *Child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

void Choose(QWidget *form, int field, const QString &opCaption)
{
    Child<QComboBox>(form, "ComboBox_Field")->setCurrentIndex(field);
    auto *op = Child<QComboBox>(form, "ComboBox_Connection");
    if (!opCaption.isEmpty())
        op->setCurrentIndex(op->findText(opCaption));
}

QStringList Items(QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

class tst_FindForms : public QObject {
    Q_OBJECT
private slots:
    void simpleQuote();
    void simpleRefusals();
    void operatorsByKind();
    void popupValue();
    void datePicker();
    void cleaning();
    void fullConditions();
    void allData();
    void screenshot();
};

void tst_FindForms::simpleQuote()
{
    TFindSimpleFormDialog dialog;
    dialog.Settings.Caption = QStringLiteral("职员");
    dialog.SetFieldsData(Fields());
    QString title;
    ScopedDialogHandler handler([&](QDialog *d) {
        d->show();
        title = d->windowTitle();
        QStringList fields = Items(Child<QComboBox>(d, "ComboBox_Field"));
        if (fields != QStringList{"姓名", "金额", "日期", "职员", "部门", "类型"})
            qWarning() << "field list" << fields;
        Choose(d, 0, QStringLiteral("等于"));
        Child<QLineEdit>(d, "Edit_Value")->setText(QStringLiteral("O'Brien"));
        QTest::keyClick(d, Qt::Key_F3);
        return d->result();
    });
    QVERIFY(dialog.Execute());
    QCOMPARE(title, QStringLiteral("职员查找窗口"));
    QString condition;
    dialog.Condition(condition);
    QCOMPARE(condition, QStringLiteral("NAME =  'O''Brien'"));
    QVERIFY(!dialog.AllData());
}

void tst_FindForms::simpleRefusals()
{
    RecordingMessageSink sink;
    TOrbFindSimpleForm form(TFindSettings(), Fields(), DefaultConnections());
    form.show();
    form.button_ok->click();
    Choose(&form, 1, QString());
    form.button_ok->click();
    Choose(&form, 1, QStringLiteral("大于等于"));
    form.button_ok->click();
    Choose(&form, 2, QStringLiteral("等于"));
    form.Edit_Value->setText(QStringLiteral("2006-1-1"));
    form.button_ok->click();
    QCOMPARE(sink.texts(), (QStringList{"必须有一个查找字段", "必须有一个查找关系",
                                        "必须有一个查找的值",
                                        "错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”"}));
    QCOMPARE(form.focusWidget(), form.Edit_Value);
    QVERIFY(form.isVisible());
}

void tst_FindForms::operatorsByKind()
{
    TOrbFindForm form(TFindSettings(), Fields(), DefaultConnections());
    form.show();
    const QStringList all{"相似", "等于", "不等于", "小于等于", "大于等于"};
    QCOMPARE(Items(form.ComboBox_Connection), all);
    Choose(&form, 1, QString());   // number: no 相似
    QCOMPARE(Items(form.ComboBox_Connection), all.mid(1));
    Choose(&form, 4, QString());   // BS: 等于, fixed
    QCOMPARE(form.ComboBox_Connection->currentText(), QStringLiteral("等于"));
    QVERIFY(!form.ComboBox_Connection->isEnabled());
    QVERIFY(form.Edit_Value->isReadOnly());
    Choose(&form, 0, QString());   // text again: 相似 back at the top, enabled
    QCOMPARE(Items(form.ComboBox_Connection), all);
    QVERIFY(form.ComboBox_Connection->isEnabled());
    Choose(&form, 5, QString());   // B: the choice list
    QVERIFY(form.ComboBox_Value->isVisible());
    QCOMPARE(Items(form.ComboBox_Value), (QStringList{"现金", "银行"}));
}

void tst_FindForms::popupValue()
{
    RecordingMessageSink sink;
    TFindSettings settings;
    QString askedField;
    settings.PopupWindow = [&](QString &value, QString &id, QString &fieldName) {
        askedField = fieldName;
        value = QStringLiteral("张三");
        id = QStringLiteral("0'1");
    };
    TOrbFindSimpleForm form(settings, Fields(), DefaultConnections());
    form.show();
    Choose(&form, 3, QStringLiteral("等于"));
    form.Edit_Value->setText(QStringLiteral("张"));
    form.button_ok->click();                       // typed, not picked
    form.Button_Value->click();
    QCOMPARE(askedField, QStringLiteral("EMP_NAME"));
    QCOMPARE(form.Edit_Value->text(), QStringLiteral("张三"));
    form.Edit_Value->setText(QStringLiteral("张三丰"));
    form.button_ok->click();                       // changed after picking
    QCOMPARE(sink.texts(), (QStringList{"必须从弹出的窗口里选择一个值", "选择出来的值不能改变"}));
    form.Edit_Value->setFocus();
    QTest::keyClick(form.Edit_Value, Qt::Key_Return);   // Enter in the box calls the pop-up
    form.button_ok->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.condition(), QStringLiteral("EMP_ID =  '0''1'"));
}

void tst_FindForms::datePicker()
{
    TOrbFindSimpleForm form(TFindSettings(), Fields(), DefaultConnections());
    form.show();
    Choose(&form, 2, QStringLiteral("小于等于"));
    ScopedDialogHandler handler([](QDialog *d) {
        auto *date = qobject_cast<TDateForm *>(d);
        if (!date)
            return int(QDialog::Rejected);
        date->setDate(QDate(2006, 12, 31));
        return int(QDialog::Accepted);
    });
    form.Button_Value->click();
    QCOMPARE(form.Edit_Value->text(), QStringLiteral("2006-12-31"));
    form.button_ok->click();
    QCOMPARE(form.condition(),
             QStringLiteral("(10000 * EXTRACT(YEAR FROM DDATE) +100 * EXTRACT(Month FROM DDATE))"
                            " + EXTRACT(DAY FROM DDATE) <=  20061231"));
}

void tst_FindForms::cleaning()
{
    TOrbFindSimpleForm form(TFindSettings(), Fields(), DefaultConnections());
    form.show();
    Choose(&form, 0, QStringLiteral("相似"));
    form.Edit_Value->setFocus();
    QTest::keyClicks(form.Edit_Value, "x;ab?");     // cleaned at every key
    QCOMPARE(form.Edit_Value->text(), QStringLiteral("ab"));
}

void tst_FindForms::fullConditions()
{
    RecordingMessageSink sink;
    TFindFormDialog dialog;
    dialog.Settings.SqlType = urSql_Server;
    dialog.SetFieldsData(Fields());
    QStringList listed;
    ScopedDialogHandler handler([&](QDialog *d) {
        auto *form = static_cast<TOrbFindForm *>(d);
        d->show();
        form->button_ok->click();                       // nothing added yet
        Choose(d, 0, QStringLiteral("相似"));
        form->Edit_Value->setText(QStringLiteral("王"));
        form->button_add->click();
        Choose(d, 1, QStringLiteral("大于等于"));
        form->Edit_Value->setText(QStringLiteral("100"));
        form->button_add->click();                      // no 并且/或者
        form->RadioButton_Or->setChecked(true);
        form->button_add->click();
        Choose(d, 4, QString());
        form->RadioButton_And->setChecked(true);
        form->button_add->click();                      // BS without a pick
        for (int i = 0; i < form->ListBox_Conditions->count(); ++i)
            listed << form->ListBox_Conditions->item(i)->text();
        form->ListBox_Conditions->setCurrentRow(0);
        form->button_clear->click();                    // the first one goes
        form->button_ok->click();
        return d->result();
    });
    QVERIFY(dialog.Execute());
    QCOMPARE(sink.texts(), (QStringList{"没有查找表达式", "必须有一个查找逻辑",
                                        "必须有一个查找的值"}));
    QCOMPARE(listed, (QStringList{" 姓名 相似 王", " 或着  金额 大于等于 100"}));
    QCOMPARE(dialog.Conditions(), QStringList{"ISNULL(AMOUNT,0) >=  100"});
    QString description;
    dialog.Description(description);
    QCOMPARE(description, QStringLiteral(" 金额 大于等于 100"));
}

void tst_FindForms::allData()
{
    TFindFormDialog dialog;
    dialog.SetFieldsData(Fields());
    bool shown = true;
    ScopedDialogHandler none([&](QDialog *d) {
        d->show();
        shown = Child<QPushButton>(d, "button_all")->isVisible();
        QTest::keyClick(d, Qt::Key_F12);
        return d->result();
    });
    QVERIFY(!dialog.Execute());
    QVERIFY(!shown);

    dialog.Settings.AllDataSQL = QStringLiteral("SELECT * FROM SYS_USER_TABLE ");
    ScopedDialogHandler all([&](QDialog *d) {
        d->show();
        shown = Child<QPushButton>(d, "button_all")->isVisible();
        Choose(d, 0, QStringLiteral("等于"));
        Child<QLineEdit>(d, "Edit_Value")->setText(QStringLiteral("a"));
        Child<QPushButton>(d, "button_add")->click();
        Child<QPushButton>(d, "button_all")->click();
        return d->result();
    });
    QVERIFY(dialog.Execute());
    QVERIFY(shown);
    QVERIFY(dialog.AllData());
    QVERIFY(dialog.Conditions().isEmpty());
}

void tst_FindForms::screenshot()
{
    TFindSettings settings;
    settings.Caption = QStringLiteral("现金日记账");
    settings.AllDataSQL = QStringLiteral("SELECT * FROM T");
    TOrbFindForm form(settings, Fields(), DefaultConnections());
    form.show();
    Choose(&form, 0, QStringLiteral("相似"));
    form.Edit_Value->setText(QStringLiteral("王"));
    form.button_add->click();
    form.RadioButton_And->setChecked(true);
    Choose(&form, 2, QStringLiteral("小于等于"));
    form.Edit_Value->setText(QStringLiteral("2006-12-31"));
    form.button_add->click();
    const QString path = QDir::temp().filePath(QStringLiteral("orb_find_form.png"));
    QVERIFY(form.grab().save(path));
    qInfo("screenshot: %s", qPrintable(path));
}

QTEST_MAIN(tst_FindForms)

#include "tst_FindForms.moc"
