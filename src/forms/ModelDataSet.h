#pragma once
// An item model seen as a data set: columns are fields named by their
// horizontal header (Qt::DisplayRole), rows are records, values are the
// Qt::EditRole data. A column's kind comes from its first non-null value.

#include "forms/ExportDataSet.h"

class QAbstractItemModel;

namespace Orb {

class TModelDataSet final : public TExportDataSet {
public:
    explicit TModelDataSet(const QAbstractItemModel *model) : m_model(model) {}

    bool IsOpen() const override { return m_model != nullptr; }
    int RecordCount() const override;
    int FieldCount() const override;
    QString FieldName(int field) const override;
    TExportFieldKind FieldKind(int field) const override;
    QVariant Value(int record, int field) const override;

private:
    const QAbstractItemModel *m_model;
};

} // namespace Orb
