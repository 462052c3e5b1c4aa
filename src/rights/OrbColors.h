#pragma once
// Colours of the system, given as Windows colour values ($BBGGRR).

#include <QColor>

namespace Orb {

inline QColor FromTColor(unsigned value)
{
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

inline unsigned ToTColor(const QColor &c)
{
    return unsigned(c.red()) | (unsigned(c.green()) << 8) | (unsigned(c.blue()) << 16);
}

inline constexpr unsigned kChildColor = 0xF1FAFE;
inline constexpr unsigned kLabelColor = 0xB7FDBE;
inline constexpr unsigned kEditColor = 0xFDFDEE;
inline constexpr unsigned kColorOnFocus = 0xF8F7C7;
inline constexpr unsigned kMainColor = 0xC08000;

} // namespace Orb
