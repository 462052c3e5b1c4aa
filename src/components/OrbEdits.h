#pragma once
// The edit boxes of the entry-control family: a focus colour (ColorOnFocus
// while focused, back to the previous colour on leaving), a key filter by
// EditType and the input-method rule (number and date boxes type without an
// input method; leaving a text box remembers the one used in ImeName).
//
//   TOrbEdit     plain edit box
//   TOrbDBEdit   edit box bound to a field (DataSource + DataField)
//   TOrbMEdit    mask edit, no EditType; always uses the focus colour

#include "components/EntryBehaviour.h"
#include "components/EntryControl.h"
#include "components/FieldBinding.h"

#include <QLineEdit>
#include <functional>

namespace Orb {

class TOrbEdit : public QLineEdit, public EntryControl {
    Q_OBJECT
public:
    explicit TOrbEdit(QWidget *parent = nullptr);

    QColor ColorOnFocus() const { return m_behaviour.ColorOnFocus; }
    void setColorOnFocus(const QColor &c) { m_behaviour.ColorOnFocus = c; }
    bool FocusColorChange() const { return m_behaviour.FocusColorChange; }
    void setFocusColorChange(bool on) { m_behaviour.FocusColorChange = on; }
    TEditTypes EditType() const { return m_behaviour.EditType; }
    void setEditType(TEditTypes type);
    // Raised by windows, not by the control.
    std::function<void(QObject *)> OnSelect;

    EntryKind entryKind() const override { return EntryKind::Edit; }
    QWidget *entryWidget() override { return this; }
    void setEntryReadOnly(bool readOnly) override { setReadOnly(readOnly); }
    void setEntryColors(const QColor &color, const QColor &focus) override;

protected:
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    EntryBehaviour m_behaviour;
};

class TOrbDBEdit : public TOrbEdit {
    Q_OBJECT
public:
    explicit TOrbDBEdit(QWidget *parent = nullptr);
    ~TOrbDBEdit() override;
    void setDataSource(TOrbDataSource *source, const QString &field);
    TOrbDataSource *DataSource() const { return m_binding.source(); }
    QString DataField() const { return m_binding.field(); }

    EntryKind entryKind() const override { return EntryKind::DBEdit; }
    TOrbDataSource *boundSource() const override { return m_binding.source(); }
    QString boundField() const override { return m_binding.field(); }
    void refreshFromField() override;

protected:
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    FieldBinding m_binding;
};

class TOrbMEdit : public QLineEdit, public EntryControl {
    Q_OBJECT
public:
    explicit TOrbMEdit(QWidget *parent = nullptr);
    QColor ColorOnFocus() const { return m_behaviour.ColorOnFocus; }
    void setColorOnFocus(const QColor &c) { m_behaviour.ColorOnFocus = c; }

    EntryKind entryKind() const override { return EntryKind::MaskEdit; }
    QWidget *entryWidget() override { return this; }
    void setEntryReadOnly(bool readOnly) override { setReadOnly(readOnly); }
    void setEntryColors(const QColor &color, const QColor &focus) override;

protected:
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;

private:
    EntryBehaviour m_behaviour;
};

} // namespace Orb
