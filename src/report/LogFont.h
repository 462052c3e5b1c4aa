#pragma once
// The Windows logical font record (LOGFONTA, 60 bytes) that templates store,
// kept byte for byte so a template saves back exactly as it was read, and
// its mapping onto Qt fonts at 96 pixels per inch.

#include <QtGlobal>
#include <array>

class QFont;
class QString;

namespace Orb {

inline constexpr int kScreenPixelsPerInch = 96;
inline constexpr int kLogFontSize = 60;
inline constexpr int kFaceNameSize = 32;

struct LogFont {
    qint32 height = -16;      // negative: character height in pixels
    qint32 width = 0;
    qint32 escapement = 0;
    qint32 orientation = 0;
    qint32 weight = 0;        // 0 = default (normal), 400 normal, 700 bold
    quint8 italic = 0;
    quint8 underline = 0;
    quint8 strikeOut = 0;
    quint8 charSet = 1;
    quint8 outPrecision = 0;
    quint8 clipPrecision = 0;
    quint8 quality = 0;
    quint8 pitchAndFamily = 0;
    std::array<char, kFaceNameSize> faceName{};   // GBK, zero-padded

    LogFont();   // "宋体", 12 points at 96 dpi
    QString face() const;
    void setFace(const QString &face);   // cut to 31 GBK bytes
    bool operator==(const LogFont &other) const = default;
};

QFont ToQFont(const LogFont &font);
LogFont FromQFont(const QFont &font);

} // namespace Orb
