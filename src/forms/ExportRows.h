#pragma once
// A data set held in memory: the rows of a SQL statement, or rows a caller
// (or a test) builds field by field.

#include "forms/ExportDataSet.h"

#include <QList>
#include <QStringList>
#include <QVariantList>

class QSqlQuery;

namespace Orb {

class TExportRows final : public TExportDataSet {
public:
    void AddField(const QString &name, TExportFieldKind kind);
    void AddRecord(const QVariantList &values);
    void SetOpen(bool open) { m_open = open; }
    // Reads every row of an active query; the field kinds follow the column types.
    static TExportRows FromQuery(QSqlQuery &query);

    bool IsOpen() const override { return m_open; }
    int RecordCount() const override { return int(m_rows.size()); }
    int FieldCount() const override { return int(m_names.size()); }
    QString FieldName(int field) const override { return m_names.at(field); }
    TExportFieldKind FieldKind(int field) const override { return m_kinds.at(field); }
    QVariant Value(int record, int field) const override;

private:
    bool m_open = true;
    QStringList m_names;
    QList<TExportFieldKind> m_kinds;
    QList<QVariantList> m_rows;
};

} // namespace Orb
