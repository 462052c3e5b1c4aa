#include "forms/MemoryDataSet.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Orb {

void TMemoryDataSet::AddField(const QString &name, TExportFieldKind kind)
{
    m_names << name;
    m_kinds << kind;
}

void TMemoryDataSet::AddRecord(const QVariantList &values)
{
    m_rows << values;
}

QVariant TMemoryDataSet::Value(int record, int field) const
{
    const QVariantList &row = m_rows.at(record);
    return field < row.size() ? row.at(field) : QVariant();
}

TMemoryDataSet TMemoryDataSet::FromQuery(QSqlQuery &query)
{
    TMemoryDataSet set;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        set.AddField(record.fieldName(i), ExportKindOf(record.field(i).metaType()));
    while (query.next()) {
        QVariantList values;
        for (int i = 0; i < record.count(); ++i)
            values << query.value(i);
        set.AddRecord(values);
    }
    return set;
}

} // namespace Orb
