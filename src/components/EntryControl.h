#pragma once
// What the data source and the query need of every entry control and grid:
// its kind, read-only switch, colours and (for combo edits) the button. The
// controls of OrbEdits.h and the grids implement it.

#include <QColor>
#include <QString>

class QWidget;

namespace Orb {

class TOrbDataSource;

enum class EntryKind {
    Edit,               // TOrbEdit
    DBEdit,             // TOrbDBEdit
    MaskEdit,           // TOrbMEdit
    ComboBox,           // TOrbComboBox (not bound to data)
    DBComboBox,         // TOrbDBComboBox
    ComboEdit,          // TOrbComboEdit, TOrbDBComboEdit
    CaptionComboEdit,   // TOrbLComboEdit, TOrbLDBComboEdit
    LookupListBox,      // TOrbDBLookupListBox
    LookupComboBox,     // TOrbDBLookupComboBox
    Grid                // TOrbNDBGrid, TOrbDBGrid
};

class EntryControl {
public:
    virtual ~EntryControl() = default;
    virtual EntryKind entryKind() const = 0;
    virtual QWidget *entryWidget() = 0;
    virtual void setEntryReadOnly(bool /*readOnly*/) {}
    // The control's colour, the colour it returns to on leaving, and its
    // focus colour.
    virtual void setEntryColors(const QColor & /*color*/, const QColor & /*focusColor*/) {}
    virtual void setEntryButtonEnabled(bool /*enabled*/) {}
    // Bound controls: their data source and field; empty for the others.
    virtual TOrbDataSource *boundSource() const { return nullptr; }
    virtual QString boundField() const { return {}; }
    // Bound controls: show the field of the current record again.
    virtual void refreshFromField() {}
};

EntryControl *AsEntryControl(QObject *object);

} // namespace Orb
