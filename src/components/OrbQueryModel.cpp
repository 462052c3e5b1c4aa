#include "components/OrbQueryModel.h"

#include "components/OrbQueryUnit.h"

namespace Orb {

TOrbQueryModel::TOrbQueryModel(TOrbQuery *query)
    : QAbstractTableModel(query)
    , m_query(query)
{
    connect(query, &TOrbQuery::rowsReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(query, &TOrbQuery::rowsAppended, this, [this](int first, int last) {
        if (m_fetching)
            return;
        beginResetModel();   // rows read by navigation outside fetchMore
        endResetModel();
        Q_UNUSED(first);
        Q_UNUSED(last);
    });
    connect(query, &TOrbQuery::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(query, &TOrbQuery::rowRemoved, this, [this](int) {
        beginResetModel();
        endResetModel();
    });
}

int TOrbQueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_query->loadedCount();
}

int TOrbQueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_query->fields().size();
}

QVariant TOrbQueryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return m_query->textAt(index.row(), index.column());
    if (role == Qt::EditRole)
        return m_query->value(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && m_query->fields()[index.column()].isNumber())
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TOrbQueryModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || section < 0 || section >= m_query->fields().size())
        return QAbstractTableModel::headerData(section, o, role);
    const TOrbField &f = m_query->fields()[section];
    if (role == Qt::DisplayRole)
        return f.displayLabel.isEmpty() ? f.name : f.displayLabel;
    if (role == FieldNameRole)
        return f.name;
    return {};
}

bool TOrbQueryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_query->Active() && !m_query->allLoaded();
}

void TOrbQueryModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid())
        return;
    const int first = m_query->loadedCount();
    m_fetching = true;
    m_query->value(first + 255, 0);   // reads up to that row
    m_fetching = false;
    const int last = m_query->loadedCount() - 1;
    if (last >= first) {
        beginInsertRows({}, first, last);
        endInsertRows();
    }
}

} // namespace Orb
