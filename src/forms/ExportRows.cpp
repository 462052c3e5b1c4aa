#include "forms/ExportRows.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Orb {

void TExportRows::AddField(const QString &name, TExportFieldKind kind)
{
    m_names << name;
    m_kinds << kind;
}

void TExportRows::AddRecord(const QVariantList &values)
{
    m_rows << values;
}

QVariant TExportRows::Value(int record, int field) const
{
    const QVariantList &row = m_rows.at(record);
    return field < row.size() ? row.at(field) : QVariant();
}

namespace {

// A column the driver reports as text (SQLite knows no type names such as
// DOUBLE PRECISION) takes its kind from the values: integers when every value
// is one, numbers when every value is numeric, text otherwise.
TExportFieldKind KindFromValues(const QList<QVariantList> &rows, int column)
{
    bool any = false;
    bool allIntegers = true;
    for (const QVariantList &row : rows) {
        const QVariant &v = row.at(column);
        if (v.isNull())
            continue;
        any = true;
        const TExportFieldKind kind = ExportKindOf(v.metaType());
        if (kind == TExportFieldKind::Float)
            allIntegers = false;
        else if (kind != TExportFieldKind::Integer)
            return TExportFieldKind::Text;
    }
    if (!any)
        return TExportFieldKind::Text;
    return allIntegers ? TExportFieldKind::Integer : TExportFieldKind::Float;
}

} // namespace

TExportRows TExportRows::FromQuery(QSqlQuery &query)
{
    TExportRows set;
    const QSqlRecord record = query.record();
    while (query.next()) {
        QVariantList values;
        for (int i = 0; i < record.count(); ++i)
            values << query.value(i);
        set.AddRecord(values);
    }
    for (int i = 0; i < record.count(); ++i) {
        TExportFieldKind kind = ExportKindOf(record.field(i).metaType());
        if (kind == TExportFieldKind::Text)
            kind = KindFromValues(set.m_rows, i);
        set.AddField(record.fieldName(i), kind);
    }
    return set;
}

} // namespace Orb
