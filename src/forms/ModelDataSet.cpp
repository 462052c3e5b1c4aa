#include "forms/ModelDataSet.h"

#include <QAbstractItemModel>

namespace Orb {

int TModelDataSet::RecordCount() const
{
    return m_model ? m_model->rowCount() : 0;
}

int TModelDataSet::FieldCount() const
{
    return m_model ? m_model->columnCount() : 0;
}

QString TModelDataSet::FieldName(int field) const
{
    return m_model->headerData(field, Qt::Horizontal, Qt::DisplayRole).toString();
}

TExportFieldKind TModelDataSet::FieldKind(int field) const
{
    for (int row = 0; row < RecordCount(); ++row) {
        const QVariant value = Value(row, field);
        if (value.isValid() && !value.isNull())
            return ExportKindOf(value.metaType());
    }
    return TExportFieldKind::Text;
}

QVariant TModelDataSet::Value(int record, int field) const
{
    return m_model->data(m_model->index(record, field), Qt::EditRole);
}

} // namespace Orb
