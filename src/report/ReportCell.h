#pragma once
// One cell of a report template line: geometry, borders, diagonals, colours,
// alignment, text, display format, picture and font, plus the merge links.

#include "report/LogFont.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace Orb {

class TReportLine;

// A rectangle as Windows keeps it: right and bottom are exclusive edges.
struct WinRect {
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;
    bool operator==(const WinRect &other) const = default;
};

struct CellBorder {
    quint8 on = 1;
    qint32 width = 1;
    bool operator==(const CellBorder &other) const = default;
};

// Diagonal bits.
enum : qint32 {
    kDiagTopLeftToBottomRight = 0x1,
    kDiagTopLeftToRightMiddle = 0x2,
    kDiagTopLeftToBottomMiddle = 0x4,
    kDiagTopRightToBottomLeft = 0x100,
    kDiagTopRightToLeftMiddle = 0x200,
    kDiagTopRightToBottomMiddle = 0x400,
};

inline constexpr int kMinCellWidth = 10;
inline constexpr int kMaxCellTextBytes = 3000;
inline constexpr qint32 kWhite = 0xFFFFFF;

class TReportCell {
public:
    explicit TReportCell(TReportLine *line = nullptr) : m_line(line) {}

    TReportLine *line() const { return m_line; }
    void setLine(TReportLine *line) { m_line = line; }

    void setWidth(int width) { this->width = qMax(width, kMinCellWidth); }
    bool isSlave() const { return owner != nullptr; }
    bool isOwner() const { return !slaves.isEmpty(); }
    bool hasPicture() const { return !picture.isEmpty(); }
    // The picture as an image (decoded on demand from the stored BMP image).
    QImage image() const;
    // Sets the picture from an image, stored as a complete BMP file image.
    void setImage(const QImage &image);

    // Copies everything but text, picture and merge links (for new lines and cells).
    void copyLookFrom(const TReportCell &other);
    // Copies everything but the merge links.
    void copyContentFrom(const TReportCell &other);

    qint32 textMargin = 5;
    qint32 index = -1;
    qint32 left = 0;
    qint32 width = 0;
    WinRect cellRect;
    WinRect textRect;
    qint32 minHeight = 0;
    qint32 textHeight = 0;
    qint32 mergedTextHeight = 0;
    CellBorder leftBorder;
    CellBorder topBorder;
    CellBorder rightBorder;
    CellBorder bottomBorder;
    qint32 diagonals = 0;
    qint32 textColor = 0;
    qint32 backColor = kWhite;
    qint32 hAlign = 0;   // 0 left, 1 centre, 2 right
    qint32 vAlign = 1;   // 0 top, 1 centre, 2 bottom
    QString text;
    QString displayFormat;
    QByteArray picture;  // complete BMP file image; empty for none
    LogFont font;
    TReportCell *owner = nullptr;
    QList<TReportCell *> slaves;

private:
    TReportLine *m_line;
};

} // namespace Orb
