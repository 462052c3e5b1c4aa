#include "forms/YearForm.h"

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

TYearForm::TYearForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("YearForm"));
    setWindowTitle(QStringLiteral("删除年份输入窗口"));
    YearEdit = DigitEdit(this, "YearEdit", 4);
    Button_ok = new QPushButton(QStringLiteral("确定"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close = new QPushButton(QStringLiteral("关闭"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    for (QPushButton *b : {Button_ok, Button_Close})
        b->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("删除年份"), YearEdit);
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

void TYearForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter on a button presses it; elsewhere it moves on.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget())) {
            button->click();
            return;
        }
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TYearForm::okClick()
{
    const PickerCheck check = CheckDeleteYear(YearEdit->text());
    if (!check.ok()) {
        YearEdit->setFocus();
        ShowWarningOn(this, check.message);
        return;
    }
    accept();
}

} // namespace Orb
