#pragma once
// A table model over a TOrbQuery for grids: rows are read from the query as
// the view scrolls (canFetchMore / fetchMore), never all at once.

#include <QAbstractTableModel>

namespace Orb {

class TOrbQuery;

class TOrbQueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TOrbQueryModel(TOrbQuery *query);
    // Header role that carries a column's field name.
    static constexpr int FieldNameRole = Qt::UserRole + 1;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    TOrbQuery *query() const { return m_query; }

private:
    TOrbQuery *m_query;
    bool m_fetching = false;
};

} // namespace Orb
