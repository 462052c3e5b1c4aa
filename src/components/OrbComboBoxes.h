#pragma once
// Combo boxes and lookup boxes of the entry-control family.
//
//   TOrbComboBox           not bound to data (windows use it to choose what is listed)
//   TOrbDBComboBox         bound to a field: the chosen or typed text goes into the record
//   TOrbDBLookupComboBox,  bound to a field; the choices are the rows of ListSource:
//   TOrbDBLookupListBox    ListField is shown, KeyField is written into DataField

#include "components/EntryBehaviour.h"
#include "components/EntryControl.h"
#include "components/FieldBinding.h"

#include <QComboBox>
#include <QListWidget>
#include <functional>

namespace Orb {

class TOrbQuery;

class TOrbComboBox : public QComboBox, public EntryControl {
    Q_OBJECT
public:
    explicit TOrbComboBox(QWidget *parent = nullptr);
    QColor ColorOnFocus() const { return m_behaviour.ColorOnFocus; }
    void setColorOnFocus(const QColor &c) { m_behaviour.ColorOnFocus = c; }
    bool FocusColorChange() const { return m_behaviour.FocusColorChange; }
    void setFocusColorChange(bool on) { m_behaviour.FocusColorChange = on; }
    TEditTypes EditType() const { return m_behaviour.EditType; }
    void setEditType(TEditTypes type);
    std::function<void(QObject *)> OnSelect;

    EntryKind entryKind() const override { return EntryKind::ComboBox; }
    QWidget *entryWidget() override { return this; }
    void setEntryReadOnly(bool readOnly) override;
    void setEntryColors(const QColor &color, const QColor &focus) override;
    bool isReadOnly() const { return m_readOnly; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    EntryBehaviour m_behaviour;
    bool m_readOnly = false;
};

class TOrbDBComboBox : public TOrbComboBox {
    Q_OBJECT
public:
    explicit TOrbDBComboBox(QWidget *parent = nullptr);
    ~TOrbDBComboBox() override;
    void setDataSource(TOrbDataSource *source, const QString &field);
    TOrbDataSource *DataSource() const { return m_binding.source(); }
    QString DataField() const { return m_binding.field(); }

    EntryKind entryKind() const override { return EntryKind::DBComboBox; }
    TOrbDataSource *boundSource() const override { return m_binding.source(); }
    QString boundField() const override { return m_binding.field(); }
    void refreshFromField() override;

private:
    void textChosen(const QString &text);
    FieldBinding m_binding;
};

// The rows of a list query as (key, shown text) pairs.
struct LookupItem {
    QString key;
    QString text;
};
QList<LookupItem> LookupItems(TOrbQuery *list, const QString &keyField, const QString &listField);

class TOrbDBLookupComboBox : public TOrbComboBox {
    Q_OBJECT
public:
    explicit TOrbDBLookupComboBox(QWidget *parent = nullptr);
    ~TOrbDBLookupComboBox() override;
    void setDataSource(TOrbDataSource *source, const QString &field);
    // The list query, its key field (written into DataField) and the field shown.
    void setListSource(TOrbQuery *list, const QString &keyField, const QString &listField);
    // Reads the list query's rows again.
    void reloadList();
    QString KeyValue() const;

    EntryKind entryKind() const override { return EntryKind::LookupComboBox; }
    TOrbDataSource *boundSource() const override { return m_binding.source(); }
    QString boundField() const override { return m_binding.field(); }
    void refreshFromField() override;

private:
    void chosen(int index);
    FieldBinding m_binding;
    TOrbQuery *m_list = nullptr;
    QString m_keyField, m_listField;
    QList<LookupItem> m_items;
    bool m_filling = false;
};

class TOrbDBLookupListBox : public QListWidget, public EntryControl {
    Q_OBJECT
public:
    explicit TOrbDBLookupListBox(QWidget *parent = nullptr);
    ~TOrbDBLookupListBox() override;
    QColor ColorOnFocus() const { return m_behaviour.ColorOnFocus; }
    void setColorOnFocus(const QColor &c) { m_behaviour.ColorOnFocus = c; }
    void setDataSource(TOrbDataSource *source, const QString &field);
    void setListSource(TOrbQuery *list, const QString &keyField, const QString &listField);
    void reloadList();
    QString KeyValue() const;
    bool isReadOnly() const { return m_readOnly; }

    EntryKind entryKind() const override { return EntryKind::LookupListBox; }
    QWidget *entryWidget() override { return this; }
    void setEntryReadOnly(bool readOnly) override { m_readOnly = readOnly; }
    void setEntryColors(const QColor &color, const QColor &focus) override;
    TOrbDataSource *boundSource() const override { return m_binding.source(); }
    QString boundField() const override { return m_binding.field(); }
    void refreshFromField() override;

protected:
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;

private:
    void chosen(int row);
    EntryBehaviour m_behaviour;
    FieldBinding m_binding;
    TOrbQuery *m_list = nullptr;
    QString m_keyField, m_listField;
    QList<LookupItem> m_items;
    bool m_readOnly = false;
    bool m_filling = false;
};

} // namespace Orb
