#include "forms/SelectMonthForm.h"

#include "data/ErrorTranslation.h"
#include "data/Messages.h"
#include "forms/PickerRules.h"
#include "forms/PickerWidgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orb {

TSelectMonthForm::TSelectMonthForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SelectMonthForm"));
    setWindowTitle(QStringLiteral("收支年月输入窗口"));
    YearEdit = DigitEdit(this, "YearEdit", 4);
    MonthEdit = DigitEdit(this, "MonthEdit", 2);
    Button_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close = new QPushButton(QStringLiteral("关闭[F12]"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    for (QPushButton *b : {Button_ok, Button_Close})
        b->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("收支年份"), YearEdit);
    form->addRow(QStringLiteral("收支月份"), MonthEdit);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(Button_ok, &QPushButton::clicked, this, [this] { Guarded([this] { okClick(); }); });
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSelectMonthForm::showEvent(QShowEvent *event)
{
    QString year, month;
    if (SplitInitMonth(InitMonth, &year, &month)) {
        YearEdit->setText(year);
        MonthEdit->setText(month);
    }
    QDialog::showEvent(event);
    YearEdit->setFocus();
}

void TSelectMonthForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F3:
        Button_ok->click();
        return;
    case Qt::Key_F12:
        Button_Close->click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TSelectMonthForm::okClick()
{
    const PickerCheck check = CheckYearMonth(YearEdit->text(), MonthEdit->text());
    if (!check.ok()) {
        (check.focus == PickerCheck::Year ? YearEdit : MonthEdit)->setFocus();
        ShowWarningOn(this, check.message);
        return;
    }
    accept();
}

} // namespace Orb
