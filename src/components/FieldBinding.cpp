#include "components/FieldBinding.h"

#include "components/EntryControl.h"
#include "components/OrbDataSource.h"
#include "components/OrbQueryUnit.h"

namespace Orb {

EntryControl *AsEntryControl(QObject *object)
{
    return dynamic_cast<EntryControl *>(object);
}

void FieldBinding::bind(EntryControl *control, TOrbDataSource *source, const QString &field)
{
    unbind();
    m_control = control;
    m_source = source;
    m_field = field.toUpper();
    if (m_source)
        m_source->addBoundControl(control);
}

void FieldBinding::unbind()
{
    if (m_source && m_control)
        m_source->removeBoundControl(m_control);
    m_source = nullptr;
}

TOrbDataSource *FieldBinding::source() const
{
    return m_source;
}

TOrbQuery *FieldBinding::query() const
{
    return m_source ? m_source->DataSet() : nullptr;
}

QString FieldBinding::text() const
{
    TOrbQuery *q = query();
    if (!q || !q->Active() || !q->hasField(m_field) || q->RecNo() < 0)
        return {};
    return q->text(m_field);
}

bool FieldBinding::canModify() const
{
    TOrbQuery *q = query();
    return q && q->isEditing() && q->hasField(m_field);
}

void FieldBinding::write(const QString &text)
{
    if (!canModify() || query()->text(m_field) == text)
        return;
    m_writing = true;
    try {
        query()->setText(m_field, text);
    } catch (...) {
        m_writing = false;
        throw;
    }
    m_writing = false;
}

} // namespace Orb
