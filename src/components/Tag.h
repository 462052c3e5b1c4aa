#pragma once
// The Tag number a window gives its controls (the data source and the query
// read it to give a control special treatment). Kept as the dynamic property
// "Tag" so any widget can carry one.

#include <QObject>
#include <QVariant>

namespace Orb {

inline int Tag(const QObject *object)
{
    return object ? object->property("Tag").toInt() : 0;
}

inline void SetTag(QObject *object, int tag)
{
    if (object)
        object->setProperty("Tag", tag);
}

} // namespace Orb
