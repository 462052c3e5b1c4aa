#include "components/OrbComboEdits.h"

#include "components/OrbDataSource.h"
#include "data/ErrorTranslation.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace Orb {

// --- TEditButton -------------------------------------------------------------------

TEditButton::TEditButton(QWidget *parent) : QToolButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
}

void TEditButton::paintEvent(QPaintEvent *e)
{
    QToolButton::paintEvent(e);
    QPainter p(this);
    p.setPen(palette().color(QPalette::Button));
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(1, 0, 1, height() - 1);
}

// --- TOrbCustomComboEdit ---------------------------------------------------------------

TOrbCustomComboEdit::TOrbCustomComboEdit(QWidget *parent)
    : TOrbEdit(parent), ClickKey(QKeySequence(Qt::ALT | Qt::Key_Down)),
      m_button(new TEditButton(this))
{
    m_button->setObjectName(QStringLiteral("EditButton"));
    m_button->resize(21, 17);
    setFixedHeight(21);
    connect(m_button, &QToolButton::clicked, this, [this] { Guarded([this] { ButtonClick(); }); });
    updateGlyph();
    placeButton();
}

QString TOrbCustomComboEdit::ButtonCaption() const { return m_button->text(); }
void TOrbCustomComboEdit::setButtonCaption(const QString &c) { m_button->setText(c); }
QString TOrbCustomComboEdit::ButtonHint() const { return m_button->toolTip(); }
void TOrbCustomComboEdit::setButtonHint(const QString &h) { m_button->setToolTip(h); }
bool TOrbCustomComboEdit::ButtonEnabled() const { return m_button->isEnabled(); }
void TOrbCustomComboEdit::setButtonEnabled(bool on) { m_button->setEnabled(on); }
bool TOrbCustomComboEdit::ButtonVisible() const { return !m_button->isHidden(); }

void TOrbCustomComboEdit::setButtonVisible(bool on)
{
    m_button->setVisible(on);
    placeButton();
}

void TOrbCustomComboEdit::setButtonWidth(int width)
{
    m_buttonWidth = qMax(0, width);
    placeButton();
}

void TOrbCustomComboEdit::setGlyph(const QPixmap &glyph)
{
    m_glyph = glyph;
    updateGlyph();
}

void TOrbCustomComboEdit::setNumGlyphs(int n)
{
    m_numGlyphs = qMax(1, n);
    updateGlyph();
}

void TOrbCustomComboEdit::setGlyphKind(TGlyphKind kind)
{
    m_glyphKind = kind;
    updateGlyph();
}

void TOrbCustomComboEdit::updateGlyph()
{
    switch (m_glyphKind) {
    case gkDefault:
        if (!m_glyph.isNull())
            m_buttonWidth = qMax(m_buttonWidth, m_glyph.width() / m_numGlyphs + 6);
        m_button->setArrowType(Qt::NoArrow);
        m_button->setIcon(m_glyph.isNull() ? QIcon() : QIcon(m_glyph));
        break;
    case gkDropDown:
        m_buttonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        m_button->setIcon(QIcon());
        m_button->setArrowType(Qt::DownArrow);
        break;
    case gkEllipsis:
        m_button->setIcon(QIcon());
        m_button->setArrowType(Qt::NoArrow);
        if (m_button->text().isEmpty())
            m_button->setText(QStringLiteral("..."));
        break;
    case gkCustom:
        m_button->setArrowType(Qt::NoArrow);
        m_button->setIcon(m_glyph.isNull() ? QIcon() : QIcon(m_glyph));
        break;
    }
    placeButton();
}

void TOrbCustomComboEdit::placeButton()
{
    const int w = m_button->isHidden() ? 0 : m_buttonWidth;
    m_button->setGeometry(width() - w - 2, 2, w, qMax(17, height() - 4));
    setTextMargins(0, 0, w, 0);
}

void TOrbCustomComboEdit::resizeEvent(QResizeEvent *e)
{
    TOrbEdit::resizeEvent(e);
    placeButton();
}

void TOrbCustomComboEdit::ButtonClick()
{
    if (OnButtonClick)
        OnButtonClick(this);
}

void TOrbCustomComboEdit::keyPressEvent(QKeyEvent *e)
{
    const QKeyCombination pressed = e->keyCombination();
    if (!ClickKey.isEmpty() && m_buttonWidth > 0 && ClickKey[0] == pressed) {
        e->accept();
        Guarded([this] { ButtonClick(); });
        return;
    }
    if (!DirectInput && !e->text().isEmpty() && e->key() != Qt::Key_Return
        && e->key() != Qt::Key_Enter && e->key() != Qt::Key_Escape) {
        e->accept();
        return;
    }
    TOrbEdit::keyPressEvent(e);
}

void TOrbCustomComboEdit::inputMethodEvent(QInputMethodEvent *e)
{
    if (!DirectInput) {
        e->accept();
        return;
    }
    TOrbEdit::inputMethodEvent(e);
}

// --- data-aware combo edits -------------------------------------------------------------

bool DBComboEditBinding::dbKey(QLineEdit *edit, QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape && m_binding.canModify()) {
        dbRefresh(edit);
        e->ignore();
        return true;
    }
    if ((e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Paste))
        && !m_binding.canModify()) {
        e->accept();
        return true;
    }
    return false;
}

void DBComboEditBinding::dbLeave(QLineEdit *edit)
{
    Guarded([&] { m_binding.write(edit->text()); });
}

void DBComboEditBinding::dbRefresh(QLineEdit *edit)
{
    if (m_binding.writing())
        return;
    const QString t = m_binding.text();
    if (t != edit->text())
        edit->setText(t);
}

static void WriteAsTyped(QLineEdit *edit, FieldBinding *binding)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, binding](const QString &t) {
        if (edit->hasFocus() || binding->canModify())
            Guarded([&] { binding->write(t); });
    });
}

TOrbDBComboEdit::TOrbDBComboEdit(QWidget *parent) : TOrbCustomComboEdit(parent)
{
    WriteAsTyped(this, &m_binding);
}

TOrbDBComboEdit::~TOrbDBComboEdit() { m_binding.unbind(); }

void TOrbDBComboEdit::setDataSource(TOrbDataSource *source, const QString &field)
{
    m_binding.bind(this, source, field);
    dbRefresh(this);
}

void TOrbDBComboEdit::keyPressEvent(QKeyEvent *e)
{
    if (!dbKey(this, e))
        TOrbCustomComboEdit::keyPressEvent(e);
}

void TOrbDBComboEdit::focusOutEvent(QFocusEvent *e)
{
    dbLeave(this);
    TOrbCustomComboEdit::focusOutEvent(e);
}

// --- caption-button variants ---------------------------------------------------------------

TOrbLCustomComboEdit::TOrbLCustomComboEdit(QWidget *parent) : TOrbCustomComboEdit(parent)
{
    ClickKey = QKeySequence();
    m_behaviour.ImeHandling = false;
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setInputMethodHints(Qt::ImhNone);
    m_button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_button->setAutoRaise(false);
}

QFont TOrbLCustomComboEdit::ButtonFont() const { return m_button->font(); }
void TOrbLCustomComboEdit::setButtonFont(const QFont &f) { m_button->setFont(f); }
QColor TOrbLCustomComboEdit::ButtonColor() const
{
    return m_button->palette().color(QPalette::Button);
}

void TOrbLCustomComboEdit::setButtonColor(const QColor &c)
{
    QPalette p = m_button->palette();
    p.setColor(QPalette::Button, c);
    m_button->setPalette(p);
    m_button->setAutoFillBackground(true);
}

TOrbLDBComboEdit::TOrbLDBComboEdit(QWidget *parent) : TOrbLCustomComboEdit(parent)
{
    WriteAsTyped(this, &m_binding);
}

TOrbLDBComboEdit::~TOrbLDBComboEdit() { m_binding.unbind(); }

void TOrbLDBComboEdit::setDataSource(TOrbDataSource *source, const QString &field)
{
    m_binding.bind(this, source, field);
    dbRefresh(this);
}

void TOrbLDBComboEdit::keyPressEvent(QKeyEvent *e)
{
    if (!dbKey(this, e))
        TOrbLCustomComboEdit::keyPressEvent(e);
}

void TOrbLDBComboEdit::focusOutEvent(QFocusEvent *e)
{
    dbLeave(this);
    TOrbLCustomComboEdit::focusOutEvent(e);
}

} // namespace Orb
