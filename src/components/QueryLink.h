#pragma once
// How the query reaches the window without knowing its widgets: grids, the
// data source and the window's entry controls implement this interface and
// register with the query. Every call has a harmless default.

#include <QString>

class QObject;

namespace Orb {

class TOrbQuery;

class QueryLink {
public:
    virtual ~QueryLink() = default;
    // Grids: disabled while the query edits or inserts.
    virtual void setEditingLock(bool /*editing*/) {}
    // The data source: its ActiveColor switch.
    virtual void setActiveColor(bool /*on*/) {}
    // Entry controls: focus the named control; with colour, also give it ColorOnFocus.
    virtual bool focusControl(const QString & /*name*/, bool /*colour*/) { return false; }
    // Focus the control bound to the field (or the given control).
    virtual bool focusField(const QString & /*field*/, QObject * /*control*/) { return false; }
    // Grids with footers: recompute them.
    virtual void refreshFooters() {}
    // Grids with a saved layout: merge it into the fields data before opening,
    // and rebuild the columns after opening.
    virtual void mergeSavedLayout() {}
    virtual void applyLayout() {}
    virtual void layoutClosed() {}
    // Bound controls: stop and restart following the current row.
    virtual void suspend(bool /*on*/) {}
};

} // namespace Orb
