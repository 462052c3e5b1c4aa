#include "components/EntryBehaviour.h"

#include "data/RunTime.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QWidget>

namespace Orb {

namespace {

std::function<QString()> &NameSource()
{
    static std::function<QString()> source;
    return source;
}

} // namespace

void SetInputMethodNameSource(std::function<QString()> source)
{
    NameSource() = std::move(source);
}

QString CurrentInputMethodName()
{
    if (NameSource())
        return NameSource()();
    return qEnvironmentVariable("QT_IM_MODULE");
}

QColor WidgetColor(const QWidget *w)
{
    return w->palette().color(QPalette::Base);
}

void SetWidgetColor(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, color);
    w->setPalette(p);
}

void EntryBehaviour::applyInputMethod(QWidget *w) const
{
    if (!ImeHandling || RememberOnly)
        return;
    const bool ime = UsesInputMethod(EditType);
    w->setAttribute(Qt::WA_InputMethodEnabled, ime);
    w->setInputMethodHints(ime ? Qt::ImhNone : Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
    // The input method the box opens with (Qt cannot pick one per box; the
    // name is kept on the widget for the platform integration and the tests).
    w->setProperty("ImeName", ime ? ImeName : QString());
}

void EntryBehaviour::enter(QWidget *w, QLineEdit *edit)
{
    if (edit) {
        const int current = edit->maxLength() == 32767 ? 0 : edit->maxLength();
        const int max = EnteredMaxLength(EditType, current);
        if (max > 0)
            edit->setMaxLength(max);
    }
    if (FocusColorChange) {
        if (!m_entered)
            m_savedColor = WidgetColor(w);
        SetWidgetColor(w, ColorOnFocus);
    }
    m_entered = true;
    applyInputMethod(w);
    m_typedWithInputMethod = false;
}

void EntryBehaviour::leave(QWidget *w)
{
    if (FocusColorChange && m_savedColor.isValid())
        SetWidgetColor(w, m_savedColor);
    m_entered = false;
    if ((ImeHandling || RememberOnly) && UsesInputMethod(EditType) && m_typedWithInputMethod) {
        const QString name = CurrentInputMethodName();
        if (!name.isEmpty())
            ImeName = name;
    }
    m_typedWithInputMethod = false;
}

void EntryBehaviour::setColors(QWidget *w, const QColor &color, const QColor &focusColor)
{
    // While focused the control keeps its focus colour until it is left.
    SetWidgetColor(w, m_entered && FocusColorChange ? focusColor : color);
    m_savedColor = color;
    ColorOnFocus = focusColor;
}

bool EntryBehaviour::filterKey(QKeyEvent *event, QLineEdit *edit)
{
    const QString t = event->text();
    if (!edit || t.size() != 1 || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QChar key = t.at(0);
    if (key.unicode() < 32 && key != QChar(8) && key != QChar(13))
        return false;
    const int max = edit->maxLength() == 32767 ? 0 : edit->maxLength();
    const int selStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int selLength = edit->hasSelectedText() ? int(edit->selectedText().size()) : 0;
    const QChar dec = QLocale().decimalPoint().at(0);
    const KeyFilterResult r =
        FilterKey(EditType, key, edit->text(), selStart, selLength, max, dec);
    if (r.maxLength != max && r.maxLength > 0)
        edit->setMaxLength(r.maxLength);
    if (!r.accepted) {
        event->accept();
        return true;
    }
    if (r.character != key) {
        edit->insert(QString(r.character));
        event->accept();
        return true;
    }
    return false;
}

bool EntryBehaviour::filterInputMethod(QInputMethodEvent *event, QLineEdit *edit)
{
    if (!event->commitString().isEmpty())
        m_typedWithInputMethod = true;
    if (UsesInputMethod(EditType) || !edit)
        return false;
    // A number or date box: each committed character goes through the key filter.
    for (QChar c : event->commitString()) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        if (!filterKey(&key, edit))
            edit->insert(QString(c));
    }
    event->accept();
    return true;
}

} // namespace Orb
