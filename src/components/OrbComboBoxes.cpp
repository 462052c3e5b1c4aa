#include "components/OrbComboBoxes.h"

#include "components/OrbDataSource.h"
#include "components/OrbQueryUnit.h"
#include "data/ErrorTranslation.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace Orb {

// --- TOrbComboBox ----------------------------------------------------------------------

TOrbComboBox::TOrbComboBox(QWidget *parent) : QComboBox(parent)
{
    m_behaviour.applyInputMethod(this);
}

void TOrbComboBox::setEditType(TEditTypes type)
{
    m_behaviour.EditType = type;
    m_behaviour.applyInputMethod(this);
    if (lineEdit()) {
        m_behaviour.applyInputMethod(lineEdit());
        lineEdit()->installEventFilter(this);
    }
}

void TOrbComboBox::setEntryReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (lineEdit())
        lineEdit()->setReadOnly(readOnly);
}

void TOrbComboBox::setEntryColors(const QColor &color, const QColor &focus)
{
    m_behaviour.setColors(this, color, focus);
}

bool TOrbComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress && !m_readOnly)
        return m_behaviour.filterKey(static_cast<QKeyEvent *>(event), lineEdit());
    return QComboBox::eventFilter(watched, event);
}

void TOrbComboBox::focusInEvent(QFocusEvent *e)
{
    if (lineEdit())
        lineEdit()->installEventFilter(this);
    m_behaviour.enter(this, lineEdit());
    QComboBox::focusInEvent(e);
}

void TOrbComboBox::focusOutEvent(QFocusEvent *e)
{
    m_behaviour.leave(this);
    QComboBox::focusOutEvent(e);
}

void TOrbComboBox::keyPressEvent(QKeyEvent *e)
{
    // A read-only box keeps its text: no choosing by keys either.
    if (m_readOnly && e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab) {
        e->ignore();
        return;
    }
    QComboBox::keyPressEvent(e);
}

void TOrbComboBox::wheelEvent(QWheelEvent *e)
{
    if (!m_readOnly)
        QComboBox::wheelEvent(e);
}

void TOrbComboBox::mousePressEvent(QMouseEvent *e)
{
    if (!m_readOnly)
        QComboBox::mousePressEvent(e);
}

// --- TOrbDBComboBox --------------------------------------------------------------------

TOrbDBComboBox::TOrbDBComboBox(QWidget *parent) : TOrbComboBox(parent)
{
    connect(this, &QComboBox::currentTextChanged, this, &TOrbDBComboBox::textChosen);
}

TOrbDBComboBox::~TOrbDBComboBox() { m_binding.unbind(); }

void TOrbDBComboBox::setDataSource(TOrbDataSource *source, const QString &field)
{
    m_binding.bind(this, source, field);
    refreshFromField();
}

void TOrbDBComboBox::textChosen(const QString &text)
{
    Guarded([&] { m_binding.write(text); });
}

void TOrbDBComboBox::refreshFromField()
{
    if (m_binding.writing())
        return;
    const QString t = m_binding.text();
    if (t == currentText())
        return;
    const QSignalBlocker block(this);
    const int i = findText(t);
    if (isEditable())
        setEditText(t);
    else
        setCurrentIndex(i);
}

// --- lookups ------------------------------------------------------------------------------

QList<LookupItem> LookupItems(TOrbQuery *list, const QString &keyField, const QString &listField)
{
    QList<LookupItem> items;
    if (!list || !list->Active() || !list->hasField(keyField))
        return items;
    const int k = list->fieldIndex(keyField);
    const int t = list->fieldIndex(listField.isEmpty() ? keyField : listField);
    const int n = list->RecordCount();
    for (int r = 0; r < n; ++r)
        items << LookupItem{list->textAt(r, k), list->textAt(r, t < 0 ? k : t)};
    return items;
}

TOrbDBLookupComboBox::TOrbDBLookupComboBox(QWidget *parent) : TOrbComboBox(parent)
{
    m_behaviour.RememberOnly = true;
    connect(this, &QComboBox::currentIndexChanged, this, &TOrbDBLookupComboBox::chosen);
}

TOrbDBLookupComboBox::~TOrbDBLookupComboBox() { m_binding.unbind(); }

void TOrbDBLookupComboBox::setDataSource(TOrbDataSource *source, const QString &field)
{
    m_binding.bind(this, source, field);
    refreshFromField();
}

void TOrbDBLookupComboBox::setListSource(TOrbQuery *list, const QString &keyField,
                                         const QString &listField)
{
    m_list = list;
    m_keyField = keyField.toUpper();
    m_listField = listField.toUpper();
    reloadList();
}

void TOrbDBLookupComboBox::reloadList()
{
    m_filling = true;
    m_items = LookupItems(m_list, m_keyField, m_listField);
    clear();
    for (const LookupItem &i : m_items)
        addItem(i.text, i.key);
    m_filling = false;
    refreshFromField();
}

QString TOrbDBLookupComboBox::KeyValue() const
{
    return currentIndex() >= 0 ? currentData().toString() : QString();
}

void TOrbDBLookupComboBox::chosen(int index)
{
    if (m_filling || index < 0)
        return;
    Guarded([&] { m_binding.write(itemData(index).toString()); });
}

void TOrbDBLookupComboBox::refreshFromField()
{
    if (m_binding.writing() || m_binding.field().isEmpty())
        return;
    const QString key = m_binding.text();
    m_filling = true;
    setCurrentIndex(findData(key));
    m_filling = false;
}

TOrbDBLookupListBox::TOrbDBLookupListBox(QWidget *parent) : QListWidget(parent)
{
    m_behaviour.RememberOnly = true;
    connect(this, &QListWidget::currentRowChanged, this, &TOrbDBLookupListBox::chosen);
}

TOrbDBLookupListBox::~TOrbDBLookupListBox() { m_binding.unbind(); }

void TOrbDBLookupListBox::setDataSource(TOrbDataSource *source, const QString &field)
{
    m_binding.bind(this, source, field);
    refreshFromField();
}

void TOrbDBLookupListBox::setListSource(TOrbQuery *list, const QString &keyField,
                                        const QString &listField)
{
    m_list = list;
    m_keyField = keyField.toUpper();
    m_listField = listField.toUpper();
    reloadList();
}

void TOrbDBLookupListBox::reloadList()
{
    m_filling = true;
    m_items = LookupItems(m_list, m_keyField, m_listField);
    clear();
    for (const LookupItem &i : m_items) {
        auto *item = new QListWidgetItem(i.text, this);
        item->setData(Qt::UserRole, i.key);
    }
    m_filling = false;
    refreshFromField();
}

QString TOrbDBLookupListBox::KeyValue() const
{
    return currentItem() ? currentItem()->data(Qt::UserRole).toString() : QString();
}

void TOrbDBLookupListBox::setEntryColors(const QColor &color, const QColor &focus)
{
    m_behaviour.setColors(this, color, focus);
}

void TOrbDBLookupListBox::chosen(int row)
{
    if (m_filling || row < 0)
        return;
    Guarded([&] { m_binding.write(item(row)->data(Qt::UserRole).toString()); });
}

void TOrbDBLookupListBox::refreshFromField()
{
    if (m_binding.writing() || m_binding.field().isEmpty())
        return;
    const QString key = m_binding.text();
    m_filling = true;
    setCurrentRow(-1);
    for (int r = 0; r < count(); ++r)
        if (item(r)->data(Qt::UserRole).toString() == key)
            setCurrentRow(r);
    m_filling = false;
}

void TOrbDBLookupListBox::focusInEvent(QFocusEvent *e)
{
    m_behaviour.enter(this, nullptr);
    QListWidget::focusInEvent(e);
}

void TOrbDBLookupListBox::focusOutEvent(QFocusEvent *e)
{
    m_behaviour.leave(this);
    QListWidget::focusOutEvent(e);
}

void TOrbDBLookupListBox::keyPressEvent(QKeyEvent *e)
{
    if (m_readOnly && e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab) {
        e->ignore();
        return;
    }
    QListWidget::keyPressEvent(e);
}

void TOrbDBLookupListBox::mousePressEvent(QMouseEvent *e)
{
    if (!m_readOnly)
        QListWidget::mousePressEvent(e);
}

void TOrbDBLookupListBox::inputMethodEvent(QInputMethodEvent *e)
{
    m_behaviour.filterInputMethod(e, nullptr);
    QListWidget::inputMethodEvent(e);
}

} // namespace Orb
