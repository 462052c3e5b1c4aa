#pragma once
// The behaviour every entry control of the family shares: the focus colour,
// the key filter by edit type and the input-method rule. Each control holds
// one and calls it from its focus, key and input-method events.

#include "components/KeyFilter.h"

#include <QColor>
#include <functional>

class QWidget;
class QKeyEvent;
class QInputMethodEvent;
class QLineEdit;

namespace Orb {

class EntryBehaviour {
public:
    QColor ColorOnFocus = QColor(0, 255, 255);   // $00FFFF00
    bool FocusColorChange = true;
    TEditTypes EditType = etString;
    bool ImeHandling = true;      // false: the caption-button combo edits
    bool RememberOnly = false;    // lookup boxes: remember the input method on exit only

    void enter(QWidget *w, QLineEdit *edit);
    void leave(QWidget *w);
    // True when the key was handled (refused or replaced) and must not reach the box.
    bool filterKey(QKeyEvent *event, QLineEdit *edit);
    // Number and date boxes take no committed text of an input method.
    bool filterInputMethod(QInputMethodEvent *event, QLineEdit *edit);
    // The colour the control has and returns to on leaving, and the focus colour.
    void setColors(QWidget *w, const QColor &color, const QColor &focusColor);
    // Applies the input-method rule of the edit type to the widget.
    void applyInputMethod(QWidget *w) const;

private:
    QColor m_savedColor;
    bool m_entered = false;    // a second focus-in (window activation) keeps the saved colour
    bool m_typedWithInputMethod = false;
};

QColor WidgetColor(const QWidget *w);
void SetWidgetColor(QWidget *w, const QColor &color);

// The name of the input method the user is typing with; replaceable for tests.
// The default reads the platform's input-method module (QT_IM_MODULE).
void SetInputMethodNameSource(std::function<QString()> source);
QString CurrentInputMethodName();

} // namespace Orb
