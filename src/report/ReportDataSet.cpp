#include "report/ReportDataSet.h"

#include "data/OrbFun.h"

#include <QImage>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Orb {

QString TReportDataSet::DisplayText(int field) const
{
    const QVariant value = Value(field);
    return value.isValid() ? FieldText(value) : QString();
}

int TReportDataSet::FieldIndex(const QString &name) const
{
    for (int i = 0; i < FieldCount(); ++i) {
        if (FieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

TMemoryDataSet::TMemoryDataSet(const QList<Field> &fields, const QList<QVariantList> &rows,
                               QObject *parent)
    : TReportDataSet(parent), m_fields(fields), m_rows(rows)
{
}

namespace {

FieldKind KindOf(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldKind::Number;
    case QMetaType::QByteArray:
        return FieldKind::Picture;
    default:
        return FieldKind::Text;
    }
}

} // namespace

TMemoryDataSet *TMemoryDataSet::FromQuery(QSqlQuery &query, QObject *parent)
{
    const QSqlRecord record = query.record();
    QList<Field> fields;
    for (int i = 0; i < record.count(); ++i)
        fields.append({record.fieldName(i), KindOf(record.field(i).metaType())});
    auto *data = new TMemoryDataSet(fields, {}, parent);
    QList<bool> typed(fields.size(), false);
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < fields.size(); ++i) {
            const QVariant value = query.value(i);
            // SQLite reports the type per value: the first non-null one counts.
            if (!typed[i] && !value.isNull()) {
                data->m_fields[i].kind = KindOf(value.metaType());
                typed[i] = true;
            }
            row.append(value);
        }
        data->m_rows.append(row);
    }
    return data;
}

void TMemoryDataSet::Open()
{
    m_active = true;
    m_position = 0;
}

void TMemoryDataSet::Next()
{
    if (m_position < m_rows.size())
        ++m_position;
}

void TMemoryDataSet::Prior()
{
    if (m_position > 0)
        --m_position;
}

QString TMemoryDataSet::FieldName(int field) const
{
    return field >= 0 && field < m_fields.size() ? m_fields[field].name : QString();
}

FieldKind TMemoryDataSet::Kind(int field) const
{
    return field >= 0 && field < m_fields.size() ? m_fields[field].kind : FieldKind::Text;
}

QVariant TMemoryDataSet::Value(int field) const
{
    if (Eof() || field < 0 || field >= m_fields.size())
        return {};
    const QVariantList &row = m_rows[m_position];
    return field < row.size() ? row[field] : QVariant();
}

} // namespace Orb
