#pragma once
// A TOrbQuery seen as an export data set: its fields with their types, all
// of its rows (the rest is read when the export starts) and the texts the
// query shows. The current record is the same after the export as before.

#include "forms/ExportDataSet.h"

namespace Orb {

class TOrbQuery;

class TQueryDataSet final : public TExportDataSet {
public:
    explicit TQueryDataSet(TOrbQuery *query) : m_query(query) {}

    bool IsOpen() const override;
    int RecordCount() const override;
    int FieldCount() const override;
    QString FieldName(int field) const override;
    TExportFieldKind FieldKind(int field) const override;
    QVariant Value(int record, int field) const override;
    QString Text(int record, int field) const override;
    void BeginExport() override;
    void EndExport() override;

private:
    TOrbQuery *m_query;
    int m_bookmark = -1;
};

} // namespace Orb
