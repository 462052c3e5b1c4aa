#pragma once
// The two look-up statements of the tree view: the children of a node and
// whether a node has children, built from a template and the node's code.

#include <QString>

namespace Orb {

struct TTreeTemplate {
    QString sql;
    QString tail;
    QString kind;     // "C": the code quoted; other non-empty: bare; empty: no code
    QString suffix;   // children: appended to each caption
    int digits = 0;   // children: the name zero-padded to this many characters
    bool isSet() const { return !sql.isEmpty(); }
};

// children = true for the children template, false for the count template.
QString TreeStatement(const TTreeTemplate &t, const QString &code, bool children);

// The caption of a child row: the name (zero-padded when digits is set) and the suffix.
QString TreeCaption(const TTreeTemplate &t, const QString &name);

} // namespace Orb
