#include "forms/QueryDataSet.h"

#include "components/OrbQueryUnit.h"

namespace Orb {

bool TQueryDataSet::IsOpen() const
{
    return m_query && m_query->Active();
}

int TQueryDataSet::RecordCount() const
{
    return m_query->RecordCount();
}

int TQueryDataSet::FieldCount() const
{
    return int(m_query->fields().size());
}

QString TQueryDataSet::FieldName(int field) const
{
    return m_query->fields().at(field).name;
}

TExportFieldKind TQueryDataSet::FieldKind(int field) const
{
    switch (m_query->fields().at(field).type) {
    case FieldType::Integer: return TExportFieldKind::Integer;
    case FieldType::Float: return TExportFieldKind::Float;
    case FieldType::Memo: case FieldType::Picture: return TExportFieldKind::Blob;
    default: return TExportFieldKind::Text;
    }
}

QVariant TQueryDataSet::Value(int record, int field) const
{
    return m_query->value(record, field);
}

QString TQueryDataSet::Text(int record, int field) const
{
    return m_query->textAt(record, field);
}

void TQueryDataSet::BeginExport()
{
    m_bookmark = m_query->GetBookmark();
}

void TQueryDataSet::EndExport()
{
    if (m_bookmark >= 0)
        m_query->GotoBookmark(m_bookmark);
}

} // namespace Orb
