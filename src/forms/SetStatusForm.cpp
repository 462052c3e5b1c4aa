#include "forms/SetStatusForm.h"

#include "data/ErrorTranslation.h"
#include "data/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orb {

TSetStatusForm::TSetStatusForm(const QStringList &statuses, const QString &currentStatus,
                               QWidget *parent)
    : QDialog(parent), m_current(currentStatus)
{
    setObjectName(QStringLiteral("SetStatusForm"));
    setWindowTitle(QStringLiteral("状态选择窗口"));
    StatusComboBox = new QComboBox(this);
    StatusComboBox->setObjectName(QStringLiteral("StatusComboBox"));
    StatusComboBox->addItems(statuses);
    StatusComboBox->setCurrentIndex(-1);
    AllCheckBox = new QCheckBox(QStringLiteral("全部审核"), this);
    AllCheckBox->setObjectName(QStringLiteral("AllCheckBox"));
    button_ok = new QPushButton(QStringLiteral("确定"), this);
    button_ok->setObjectName(QStringLiteral("button_ok"));
    button_close = new QPushButton(QStringLiteral("关闭"), this);
    button_close->setObjectName(QStringLiteral("button_close"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("状态"), StatusComboBox);
    form->addRow(QString(), AllCheckBox);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button_ok);
    buttons->addWidget(button_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(button_ok, &QPushButton::clicked, this, [this] { Guarded([this] { okClick(); }); });
    connect(button_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSetStatusForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The usual change is away from the current status.
    if (StatusComboBox->count() > 1 && StatusComboBox->itemText(0) == m_current)
        StatusComboBox->setCurrentIndex(1);
    else if (StatusComboBox->count() > 0)
        StatusComboBox->setCurrentIndex(0);
    StatusComboBox->setFocus();
}

QString TSetStatusForm::Status() const
{
    return StatusComboBox->currentText();
}

bool TSetStatusForm::AllEntries() const
{
    return AllCheckBox->isChecked();
}

void TSetStatusForm::okClick()
{
    if (StatusComboBox->currentText().isEmpty()) {
        StatusComboBox->setFocus();
        ShowWarningOn(this, QStringLiteral("必须选择状态"));
        return;
    }
    accept();
}

} // namespace Orb
