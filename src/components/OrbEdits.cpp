#include "components/OrbEdits.h"

#include "components/OrbDataSource.h"
#include "data/ErrorTranslation.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace Orb {

// --- TOrbEdit ------------------------------------------------------------------

TOrbEdit::TOrbEdit(QWidget *parent) : QLineEdit(parent)
{
    m_behaviour.applyInputMethod(this);
}

void TOrbEdit::setEditType(TEditTypes type)
{
    m_behaviour.EditType = type;
    m_behaviour.applyInputMethod(this);
    if (type == etInteger || type == etFloat)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TOrbEdit::setEntryColors(const QColor &color, const QColor &focus)
{
    m_behaviour.setColors(this, color, focus);
}

void TOrbEdit::focusInEvent(QFocusEvent *e)
{
    m_behaviour.enter(this, this);
    QLineEdit::focusInEvent(e);
}

void TOrbEdit::focusOutEvent(QFocusEvent *e)
{
    m_behaviour.leave(this);
    QLineEdit::focusOutEvent(e);
}

void TOrbEdit::keyPressEvent(QKeyEvent *e)
{
    if (!isReadOnly() && m_behaviour.filterKey(e, this))
        return;
    QLineEdit::keyPressEvent(e);
}

void TOrbEdit::inputMethodEvent(QInputMethodEvent *e)
{
    if (!isReadOnly() && m_behaviour.filterInputMethod(e, this))
        return;
    QLineEdit::inputMethodEvent(e);
}

// --- TOrbDBEdit ------------------------------------------------------------------

TOrbDBEdit::TOrbDBEdit(QWidget *parent) : TOrbEdit(parent)
{
    // Typed text goes into the record at once, so a save by key while the
    // box still has the focus stores what was typed.
    connect(this, &QLineEdit::textEdited, this, [this](const QString &t) {
        Guarded([&] { m_binding.write(t); });
    });
}

TOrbDBEdit::~TOrbDBEdit()
{
    m_binding.unbind();
}

void TOrbDBEdit::setDataSource(TOrbDataSource *source, const QString &field)
{
    m_binding.bind(this, source, field);
    refreshFromField();
}

void TOrbDBEdit::refreshFromField()
{
    if (m_binding.writing())
        return;
    const QString t = m_binding.text();
    if (t != text())
        setText(t);
}

void TOrbDBEdit::focusOutEvent(QFocusEvent *e)
{
    Guarded([&] { m_binding.write(text()); });
    TOrbEdit::focusOutEvent(e);
}

void TOrbDBEdit::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape && m_binding.canModify()) {
        refreshFromField();
        e->ignore();
        return;
    }
    if ((e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Paste))
        && !m_binding.canModify()) {
        e->accept();
        return;
    }
    TOrbEdit::keyPressEvent(e);
}

// --- TOrbMEdit ---------------------------------------------------------------------

TOrbMEdit::TOrbMEdit(QWidget *parent) : QLineEdit(parent)
{
    m_behaviour.applyInputMethod(this);
}

void TOrbMEdit::setEntryColors(const QColor &color, const QColor &focus)
{
    m_behaviour.setColors(this, color, focus);
}

void TOrbMEdit::focusInEvent(QFocusEvent *e)
{
    m_behaviour.enter(this, nullptr);
    QLineEdit::focusInEvent(e);
}

void TOrbMEdit::focusOutEvent(QFocusEvent *e)
{
    m_behaviour.leave(this);
    QLineEdit::focusOutEvent(e);
}

void TOrbMEdit::inputMethodEvent(QInputMethodEvent *e)
{
    m_behaviour.filterInputMethod(e, this);
    QLineEdit::inputMethodEvent(e);
}

} // namespace Orb
