#pragma once
// What an export writes: the columns (a field of the data set and its caption)
// and the title and footer cells (a value and an optional label above it).

#include <QList>
#include <QString>

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

} // namespace Orb
