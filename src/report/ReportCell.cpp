#include "report/ReportCell.h"

#include <QBuffer>

namespace Orb {

QImage TReportCell::image() const
{
    QImage result;
    if (!picture.isEmpty())
        result.loadFromData(picture, "BMP");
    return result;
}

void TReportCell::setImage(const QImage &image)
{
    picture.clear();
    if (image.isNull())
        return;
    QBuffer buffer(&picture);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
}

void TReportCell::copyLookFrom(const TReportCell &other)
{
    textMargin = other.textMargin;
    left = other.left;
    width = other.width;
    minHeight = other.minHeight;
    leftBorder = other.leftBorder;
    topBorder = other.topBorder;
    rightBorder = other.rightBorder;
    bottomBorder = other.bottomBorder;
    diagonals = other.diagonals;
    textColor = other.textColor;
    backColor = other.backColor;
    hAlign = other.hAlign;
    vAlign = other.vAlign;
    displayFormat = other.displayFormat;
    font = other.font;
}

void TReportCell::copyContentFrom(const TReportCell &other)
{
    copyLookFrom(other);
    index = other.index;
    cellRect = other.cellRect;
    textRect = other.textRect;
    textHeight = other.textHeight;
    mergedTextHeight = other.mergedTextHeight;
    text = other.text;
    picture = other.picture;
}

} // namespace Orb
