#include "forms/OrbFindForm.h"

#include "data/DialogRunner.h"
#include "data/Messages.h"
#include "data/ErrorTranslation.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Orb {

TOrbFindForm::TOrbFindForm(const TFindSettings &settings, const QList<TFieldsData> &fields,
                           const TFindConnectNamearray &connections, QWidget *parent)
    : TOrbFindBase(settings, fields, connections, false, parent)
{
    setObjectName(QStringLiteral("OrbFindForm"));
    RadioButton_And = new QRadioButton(QStringLiteral("并且"), this);
    RadioButton_And->setObjectName(QStringLiteral("RadioButton_And"));
    RadioButton_Or = new QRadioButton(QStringLiteral("或者"), this);
    RadioButton_Or->setObjectName(QStringLiteral("RadioButton_Or"));
    ListBox_Conditions = new QListWidget(this);
    ListBox_Conditions->setObjectName(QStringLiteral("ListBox_Conditions"));
    button_add = new QPushButton(QStringLiteral("增加"), this);
    button_add->setObjectName(QStringLiteral("button_add"));
    button_clear = new QPushButton(QStringLiteral("清除"), this);
    button_clear->setObjectName(QStringLiteral("button_clear"));
    for (QPushButton *b : {button_add, button_clear})
        b->setAutoDefault(false);

    auto *logic = new QHBoxLayout;
    logic->addWidget(RadioButton_And);
    logic->addWidget(RadioButton_Or);
    logic->addStretch();
    logic->addWidget(button_add);
    logic->addWidget(button_clear);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(button_all);
    buttons->addStretch();
    buttons->addWidget(button_ok);
    buttons->addWidget(button_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(inputsPanel());
    layout->addLayout(logic);
    layout->addWidget(ListBox_Conditions);
    layout->addLayout(buttons);
    resize(460, 360);

    connect(button_add, &QPushButton::clicked, this, [this] { Guarded([this] { addClick(); }); });
    connect(button_clear, &QPushButton::clicked, this, [this] { clearClick(); });
    connect(button_all, &QPushButton::clicked, this, [this] {
        m_conditions.clear();
        m_descriptions.clear();
    });
}

void TOrbFindForm::addClick()
{
    const bool first = m_conditions.isEmpty();
    if (!first && !RadioButton_And->isChecked() && !RadioButton_Or->isChecked()) {
        RadioButton_And->setFocus();
        ShowWarningOn(this, QStringLiteral("必须有一个查找逻辑"));
        return;
    }
    const FindCondition c = buildCondition();
    if (!c.ok())
        return;
    const QString caption = ComboBox_Field->currentText();
    QString shown = operatorFixed()
                        ? QStringLiteral(" ") + caption + QStringLiteral(" 等于 ") + c.shown
                        : QStringLiteral(" ") + caption + QStringLiteral(" ")
                              + currentOperatorCaption() + QStringLiteral(" ") + c.shown;
    QString sql = c.sql;
    if (!first) {
        const bool isAnd = RadioButton_And->isChecked();
        sql = (isAnd ? QStringLiteral(" and ") : QStringLiteral(" or ")) + sql;
        shown = (isAnd ? QStringLiteral(" 并且 ") : QStringLiteral(" 或着 ")) + shown;
    }
    m_conditions.append(sql);
    m_descriptions.append(shown);
    ListBox_Conditions->addItem(shown);
}

void TOrbFindForm::clearClick()
{
    const int row = ListBox_Conditions->currentRow();
    if (row < 0 || row >= m_conditions.size())
        return;
    delete ListBox_Conditions->takeItem(row);
    m_conditions.removeAt(row);
    m_descriptions.removeAt(row);
}

void TOrbFindForm::okClick()
{
    if (m_conditions.isEmpty()) {
        ShowWarningOn(this, QStringLiteral("没有查找表达式"));
        return;
    }
    // The first condition stands without a joining word (also after 清除
    // removed the one that was first).
    for (const char *word : {" and ", " or "}) {
        if (m_conditions.first().startsWith(QLatin1String(word)))
            m_conditions.first().remove(0, int(qstrlen(word)));
    }
    for (const char *word : {" 并且 ", " 或着 "}) {
        const QString w = QString::fromUtf8(word);
        if (m_descriptions.first().startsWith(w))
            m_descriptions.first().remove(0, w.size());
    }
    accept();
}

TFindFormDialog::TFindFormDialog(QObject *parent)
    : QObject(parent), m_connections(DefaultConnections())
{
}

void TFindFormDialog::Clear()
{
    m_fields.clear();
    m_conditions.clear();
    m_descriptions.clear();
    m_allData = false;
}

bool TFindFormDialog::Execute(QWidget *parent)
{
    TOrbFindForm form(Settings, m_fields, m_connections, parent);
    const bool ok = RunModal(&form) == QDialog::Accepted;
    m_allData = ok && form.AllData();
    m_conditions = ok && !m_allData ? form.conditions() : QStringList();
    m_descriptions = ok && !m_allData ? form.descriptions() : QStringList();
    return ok;
}

} // namespace Orb
