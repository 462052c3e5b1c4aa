#pragma once
// The SQL conditions of the find dialogs, built from a field's find settings
// (its TFieldsData entry), the chosen operator and the entered value.

#include "components/RecordRules.h"
#include "data/RunTime.h"

#include <QList>
#include <QString>

namespace Orb {

struct TFindConnectTypeName {
    QString Symbol;     // "Like", "=", "<>", "<=", ">="
    QString Caption;    // "相似", "等于", …
};
using TFindConnectNamearray = QList<TFindConnectTypeName>;
const TFindConnectNamearray &DefaultConnections();

// What the user entered for one condition.
struct FindValues {
    QString value;        // the text box or list
    QString year;         // kind Y
    QString month;
    QString id;           // what PopupWindow returned as the value to search with
    QString pickedValue;  // the text PopupWindow showed with it (ES, ESB, ELS)
    bool fixedOperator = false;
};

struct FindCondition {
    QString sql;          // empty when refused
    QString error;        // the refusal message
    QString shown;        // the value as the description shows it
    enum Focus { None, Field, Operator, Value, Year, Month } focus = None;
    bool ok() const { return error.isEmpty(); }
};

// Kinds whose operator list has no "相似".
bool FindKindWithoutLike(const QString &findKind, const QString &dataKind);
// Kinds whose operator is fixed to "等于".
bool FindKindFixedOperator(const QString &findKind);

FindCondition BuildFindCondition(TSqlType type, const TFieldsData *field,
                                 const QString &operatorSymbol, const FindValues &values);

// The cleaning of typed text in the value box.
QString CleanFindText(const QString &text);

} // namespace Orb
