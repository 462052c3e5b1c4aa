#pragma once
// Colours are written the way the system stores them: an integer $00BBGGRR
// (blue in the high byte), as the colour settings and the defaults give them.

#include <QColor>

namespace Orb {

inline QColor ColorFromInt(unsigned value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline unsigned ColorToInt(const QColor &c)
{
    return unsigned(c.red()) | (unsigned(c.green()) << 8) | (unsigned(c.blue()) << 16);
}

} // namespace Orb
