#pragma once
// The Tag of a control: an integer kept in the dynamic property "Tag". The
// look, the focus movement and the input methods read it (3 read-only display,
// 10 keep the font size / cover the main window, 100 highlighted or skipped).

#include <QObject>
#include <QVariant>

namespace Orb {

inline int WidgetTag(const QObject *object)
{
    return object ? object->property("Tag").toInt() : 0;
}

inline void SetWidgetTag(QObject *object, int tag)
{
    if (object)
        object->setProperty("Tag", tag);
}

} // namespace Orb
