#pragma once
// The record-rule arrays a window gives its query: display settings and
// validation (TFieldsData), filling of new records (TInsertData), stamps on
// edit (TEditData) and database checks before a save (TCheckData).

#include "data/RunTime.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <memory>

class QObject;

namespace Orb {

class TOrbQuery;

struct TFieldsData {
    QString FieldName;
    QString Caption;
    int Width = 0;              // 0 default, -1 column removed, -2 column hidden
    int Int1 = 0;               // free slots for the windows
    int Int2 = 0;
    QString SumField;           // field an "@Sum" footer sums, when not the column's own
    QString SumKind;            // "@Count", "@Sum", a fixed footer text, or empty
    QString CountFormat;
    QString Text1;
    QString Text2;
    QString DataKind;           // "C", "N" or "D"
    QString FindValues;         // find caption or the list of values
    QString FindAlias;
    QString FindKind;
    QString SubQueryTable;
    QString SubQueryColumn;
    QString SubQueryKey;
    bool Required = false;
    QPointer<QObject> Control;
    bool Visible = true;
    QString Text3;
};

struct TInsertData {
    QString FieldName;
    QString Caption;
    QString Where;
    int Width = 0;
    QString Value;
    TOrbQuery *SourceDataSet = nullptr;
    QString Kind;               // A, T, L, B, C, Y, M, D
    QString Prefix;
};

struct TEditData {
    QString FieldName;
    QString Text;               // not read by the query
    QString Value;
};

struct TCheckCondition {
    QString FieldName;
    QString Column;
    QString OldValue;
    QString FixedValue;
    QString Kind;               // "N", "C" or "D"
};

struct TCheckData {
    TCheckCondition Conditions[11];
    QString Message;
    QString FillFields;
    QString FieldName;
    QString TailSQL;
    bool Flag = false;          // set by some windows; no effect on the checks
    QPointer<QObject> Control;
    QString BaseSQL;
    bool MustNotExist = true;
    bool SkipIfEmpty = false;
    bool AskOnly = false;
    bool NoRemake = false;
};

using TFieldsDataArray = std::shared_ptr<QList<TFieldsData>>;
using TInsertDataArray = std::shared_ptr<QList<TInsertData>>;
using TEditDataArray = std::shared_ptr<QList<TEditData>>;
using TCheckDataArray = std::shared_ptr<QList<TCheckData>>;

template <class T>
std::shared_ptr<QList<T>> MakeArray(QList<T> entries = {})
{
    return std::make_shared<QList<T>>(std::move(entries));
}

// The numbering query of kinds C, Y, M and D in a dialect.
struct NumberingRequest {
    QString kind;        // "C", "Y", "M" or "D"
    QString field;
    QString table;
    QString prefix;
    int width = 0;
    QString monthValue;  // YYYYMM
    QString dayValue;    // YYYYMMDD
    QString where;
};
QString NumberingSql(TSqlType type, const NumberingRequest &request);
// The date part of the number and the count of counter digits.
QString NumberingDatePart(const NumberingRequest &request);
int NumberingCounterDigits(const NumberingRequest &request);
// The next number from the MAX result of the numbering query.
QString NextNumber(const NumberingRequest &request, const QString &maxResult);
// A number read leniently: up to "￥" dropped, "," removed; no number gives 0.
double LenientNumber(const QString &text);

} // namespace Orb
