#include "rights/ImeName.h"

#include "rights/ChildInterfaces.h"
#include "rights/WidgetTag.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QWidget>

namespace Orb {

QStringList InstalledInputMethods()
{
    QStringList names;
    for (const char *name : {"fcitx5", "fcitx", "ibus"})
        if (!QStandardPaths::findExecutable(QLatin1String(name)).isEmpty())
            names << QLatin1String(name);
    return names;
}

void ApplyImeName(QWidget *window, const QString &imeName)
{
    Q_UNUSED(imeName);
    if (!window)
        return;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (WidgetTag(w) == 100)
            continue;
        bool enable = false;
        if (qobject_cast<QAbstractItemView *>(w) || qobject_cast<QAbstractSpinBox *>(w))
            enable = false;
        else if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)) {
            auto *edit = dynamic_cast<IOrbEditControl *>(w);
            // Qt cannot pick a framework by name: the desktop's active input
            // method serves every free-text edit.
            enable = !edit || edit->IsStringEdit();
        } else
            continue;
        w->setAttribute(Qt::WA_InputMethodEnabled, enable);
    }
}

} // namespace Orb
