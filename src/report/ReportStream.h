#pragma once
// The template byte stream: little-endian, GBK strings, LOGFONTA records,
// pictures as complete BMP file images. The writer always writes 0xAA57;
// the reader accepts 0xAA55, 0xAA56 and 0xAA57.

#include <QByteArray>
#include <QString>

namespace Orb {

class TReportDocument;

inline constexpr quint16 kStreamVersion55 = 0xAA55;
inline constexpr quint16 kStreamVersion56 = 0xAA56;
inline constexpr quint16 kStreamVersion57 = 0xAA57;

enum class StreamResult { Ok, BadVersion, Damaged };

QByteArray SaveReportStream(const TReportDocument &document);
// Reads the stream from the offset into the document. On any failure the
// document is left empty; nothing past the end of the bytes is ever read.
StreamResult LoadReportStream(TReportDocument &document, const QByteArray &bytes,
                              qsizetype offset = 0);

// File wrappers: false when the file cannot be written / read or is refused.
bool SaveReportFile(const TReportDocument &document, const QString &fileName);
StreamResult LoadReportFile(TReportDocument &document, const QString &fileName);

} // namespace Orb
