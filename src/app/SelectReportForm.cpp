#include "app/SelectReportForm.h"

#include "data/Messages.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Orb {

TSelectReportForm::TSelectReportForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SelectReportForm"));
    setWindowTitle(QStringLiteral("打印选择窗口"));
    auto radio = [this](const char *name) {
        auto *r = new QRadioButton(this);
        r->setObjectName(QLatin1String(name));
        return r;
    };
    RadioButton1 = radio("RadioButton1");
    RadioButton2 = radio("RadioButton2");
    RadioButton3 = radio("RadioButton3");
    RadioButton3->hide();
    Button_ok = new QPushButton(QStringLiteral("确定"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close = new QPushButton(QStringLiteral("关闭"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RadioButton1);
    layout->addWidget(RadioButton2);
    layout->addWidget(RadioButton3);
    layout->addLayout(buttons);
    connect(Button_ok, &QPushButton::clicked, this, &TSelectReportForm::okClick);
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
}

int TSelectReportForm::Choice() const
{
    return RadioButton1->isChecked() ? 1 : RadioButton2->isChecked() ? 2 : 0;
}

void TSelectReportForm::okClick()
{
    if (Choice() == 0) {
        ShowWarning(QStringLiteral("必须选择一个选项"));
        return;
    }
    accept();
}

} // namespace Orb
