#include "forms/OrbFindSimpleForm.h"

#include "data/DialogRunner.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orb {

TOrbFindSimpleForm::TOrbFindSimpleForm(const TFindSettings &settings,
                                       const QList<TFieldsData> &fields,
                                       const TFindConnectNamearray &connections,
                                       QWidget *parent)
    : TOrbFindBase(settings, fields, connections, true, parent)
{
    setObjectName(QStringLiteral("OrbFindSimpleForm"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(button_all);
    buttons->addStretch();
    buttons->addWidget(button_ok);
    buttons->addWidget(button_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(inputsPanel());
    layout->addLayout(buttons);
    resize(360, sizeHint().height());
}

void TOrbFindSimpleForm::okClick()
{
    const FindCondition c = buildCondition();
    if (!c.ok())
        return;
    m_condition = c.sql;
    accept();
}

TFindSimpleFormDialog::TFindSimpleFormDialog(QObject *parent)
    : QObject(parent), m_connections(DefaultConnections())
{
}

bool TFindSimpleFormDialog::Execute(QWidget *parent)
{
    TOrbFindSimpleForm form(Settings, m_fields, m_connections, parent);
    const bool ok = RunModal(&form) == QDialog::Accepted;
    m_allData = ok && form.AllData();
    m_condition = ok && !m_allData ? form.condition() : QString();
    return ok;
}

} // namespace Orb
