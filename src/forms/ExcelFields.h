#pragma once
// What an export writes: the columns (a field of the data set and its caption)
// and the title and footer cells (a value and an optional label above it).

#include <QList>
#include <QString>
#include <algorithm>

namespace Orb {

struct TExcelFieldName {
    QString FieldName;   // a column is written only when this is set
    QString Caption;
};
using TExcelFieldArray = QList<TExcelFieldName>;

struct TFieldName {
    QString Value;       // the cell is written only when this is set
    QString Label;       // when set, written above the value
};
using TFieldNameArray = QList<TFieldName>;

// Rows a title or footer block takes: two when any entry has a label above
// its value, one when all are plain, none when the block is empty.
inline int TitleRows(const TFieldNameArray &entries)
{
    int rows = 0;
    for (const TFieldName &entry : entries)
        if (!entry.Value.isEmpty())
            rows = std::max(rows, entry.Label.isEmpty() ? 1 : 2);
    return rows;
}

// Writes a block through put(row, column, text), starting at the row and column.
template <class Put>
void WriteBlock(const TFieldNameArray &entries, int row, int firstColumn, Put put)
{
    for (int i = 0; i < entries.size(); ++i) {
        const TFieldName &entry = entries[i];
        if (entry.Value.isEmpty())
            continue;
        if (entry.Label.isEmpty()) {
            put(row, firstColumn + i, entry.Value);
        } else {
            put(row, firstColumn + i, entry.Label);
            put(row + 1, firstColumn + i, entry.Value);
        }
    }
}

} // namespace Orb
