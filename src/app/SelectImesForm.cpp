#include "app/SelectImesForm.h"

#include "rights/ImeName.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

namespace Orb {

TSelectImesForm::TSelectImesForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SelectImesForm"));
    setWindowTitle(QStringLiteral("输入法选择窗口"));
    OrbComboBox1 = new QComboBox(this);
    OrbComboBox1->setObjectName(QStringLiteral("OrbComboBox1"));
    OrbComboBox1->addItems(InstalledInputMethods());
    for (int i = 0; i < 3; ++i)
        OrbComboBox1->addItem(QString());
    Button_ok = new QPushButton(QStringLiteral("确定"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close = new QPushButton(QStringLiteral("关闭"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("输入法"), OrbComboBox1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(Button_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace Orb
