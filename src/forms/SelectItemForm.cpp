#include "forms/SelectItemForm.h"

#include "data/ErrorTranslation.h"
#include "data/Messages.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Orb {

TSelectItemForm::TSelectItemForm(const QStringList &items, bool withClose, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(withClose ? QStringLiteral("SelectItemQueryForm")
                            : QStringLiteral("SelectItemForm"));
    setWindowTitle(QStringLiteral("打印选择窗口"));
    RadioGroup = new QGroupBox(this);
    RadioGroup->setObjectName(QStringLiteral("RadioGroup"));
    Buttons = new QButtonGroup(this);
    auto *options = new QVBoxLayout(RadioGroup);
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], RadioGroup);
        radio->setObjectName(QStringLiteral("RadioItem%1").arg(i + 1));
        Buttons->addButton(radio, i + 1);
        options->addWidget(radio);
    }
    Button_ok = new QPushButton(QStringLiteral("确定"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    if (withClose) {
        Button_Close = new QPushButton(QStringLiteral("关闭"), this);
        Button_Close->setObjectName(QStringLiteral("Button_Close"));
        buttons->addWidget(Button_Close);
        connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup);
    layout->addLayout(buttons);
    connect(Button_ok, &QPushButton::clicked, this, [this] { Guarded([this] { okClick(); }); });
}

void TSelectItemForm::showEvent(QShowEvent *event)
{
    const int count = Buttons->buttons().size();
    if (count >= 2 && count <= 4)
        RadioGroup->setFixedHeight(count == 2 ? 89 : count == 3 ? 113 : 129);
    if (!Buttons->checkedButton() && count > 0)
        Buttons->button(1)->setChecked(true);
    QDialog::showEvent(event);
    RadioGroup->setFocus();
}

void TSelectItemForm::okClick()
{
    if (!Buttons->checkedButton()) {
        ShowWarningOn(this, QStringLiteral("必须选择一个选项"));
        return;
    }
    ItemNo = Buttons->checkedId();
    accept();
}

} // namespace Orb
