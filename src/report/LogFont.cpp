#include "report/LogFont.h"

#include "data/Gbk.h"

#include <QFont>
#include <cmath>
#include <cstring>

namespace Orb {

LogFont::LogFont()
{
    height = -static_cast<qint32>(std::lround(12.0 * kScreenPixelsPerInch / 72.0));
    setFace(QStringLiteral("宋体"));
}

QString LogFont::face() const
{
    const auto end = static_cast<const char *>(
        std::memchr(faceName.data(), 0, faceName.size()));
    const qsizetype n = end ? end - faceName.data() : faceName.size();
    return FromGbk(QByteArray(faceName.data(), n));
}

void LogFont::setFace(const QString &face)
{
    const QByteArray gbk = GbkTruncate(ToGbk(face), kFaceNameSize - 1);
    faceName.fill(0);
    std::memcpy(faceName.data(), gbk.constData(), gbk.size());
}

QFont ToQFont(const LogFont &font)
{
    QFont result(font.face());
    // A positive height includes the internal leading; close enough to use as
    // the pixel size, since templates written by the designer store negatives.
    const int pixels = qBound(1, std::abs(font.height), 2000);
    result.setPixelSize(pixels);
    if (font.weight > 0)
        result.setWeight(static_cast<QFont::Weight>(qBound(1, int(font.weight), 1000)));
    result.setItalic(font.italic != 0);
    result.setUnderline(font.underline != 0);
    result.setStrikeOut(font.strikeOut != 0);
    return result;
}

LogFont FromQFont(const QFont &font)
{
    LogFont result;
    if (font.pixelSize() > 0)
        result.height = -font.pixelSize();
    else
        result.height = -static_cast<qint32>(
            std::lround(font.pointSizeF() * kScreenPixelsPerInch / 72.0));
    result.weight = font.weight();
    result.italic = font.italic() ? 1 : 0;
    result.underline = font.underline() ? 1 : 0;
    result.strikeOut = font.strikeOut() ? 1 : 0;
    result.setFace(font.family());
    return result;
}

} // namespace Orb
