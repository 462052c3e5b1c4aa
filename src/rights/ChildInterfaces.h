#pragma once
// The small interfaces through which TOrbChild sees the components of its
// window without knowing them: data sets, grids with saved layouts, edit
// controls with their own Enter handling and edit kind. A component is a
// QObject child of the window that also derives from the interface.

#include "data/RunTime.h"

#include <QString>

namespace Orb {

// A data set of the window (the query component implements it).
class IOrbDataSet {
public:
    virtual ~IOrbDataSet() = default;
    // True while a record is being inserted or edited.
    virtual bool IsEditing() const = 0;
    virtual void CloseDataSet() = 0;
    // Database name and dialect given by the window's look.
    virtual void SetDataBaseName(const QString &) {}
    virtual void SetSqlType(TSqlType) {}
};

// A grid that keeps its column layout per user.
class IOrbLayoutSaver {
public:
    virtual ~IOrbLayoutSaver() = default;
    virtual void SaveLayout() = 0;
};

// An in-house edit control: it may handle Enter itself (a picker opens) and
// tells whether it takes free text (only those get the input method).
class IOrbEditControl {
public:
    virtual ~IOrbEditControl() = default;
    virtual bool HandleEnter() { return false; }
    virtual bool IsStringEdit() const { return true; }
};

} // namespace Orb
