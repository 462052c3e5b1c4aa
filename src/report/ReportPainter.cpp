#include "report/ReportPainter.h"

#include "report/CellText.h"
#include "report/ReportDocument.h"

#include <QPainter>
#include <cmath>

namespace Orb {

namespace {

QRect ToRect(const WinRect &r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

void Border(QPainter &painter, const CellBorder &border, bool guide, QLine line, bool printing)
{
    if (border.on) {
        painter.setPen(QPen(Qt::black, qMax(1, int(border.width)), Qt::SolidLine,
                            Qt::SquareCap));
        painter.drawLine(line);
    } else if (guide && !printing) {
        painter.setPen(QPen(WinColor(0xC0C0C0), 1));
        painter.drawLine(line);
    }
}

void Diagonals(QPainter &painter, const TReportCell &cell)
{
    const WinRect &r = cell.cellRect;
    const QPoint topLeft(r.left + 1, r.top + 1);
    const QPoint topRight(r.right - 1, r.top + 1);
    const QPoint bottomLeft(r.left + 1, r.bottom - 1);
    const QPoint bottomRight(r.right - 1, r.bottom - 1);
    const int midY = static_cast<int>(std::lround((r.top + r.bottom) / 2.0));
    const int midX = static_cast<int>(std::lround((r.left + r.right) / 2.0));
    painter.setPen(QPen(Qt::black, 1));
    const int d = cell.diagonals;
    if (d & kDiagTopLeftToBottomRight)
        painter.drawLine(topLeft, bottomRight);
    if (d & kDiagTopLeftToRightMiddle)
        painter.drawLine(topLeft, QPoint(r.right - 1, midY));
    if (d & kDiagTopLeftToBottomMiddle)
        painter.drawLine(topLeft, QPoint(midX, r.bottom - 1));
    if (d & kDiagTopRightToBottomLeft)
        painter.drawLine(topRight, bottomLeft);
    if (d & kDiagTopRightToLeftMiddle)
        painter.drawLine(topRight, QPoint(r.left + 1, midY));
    if (d & kDiagTopRightToBottomMiddle)
        painter.drawLine(topRight, QPoint(midX, r.bottom - 1));
}

void Picture(QPainter &painter, const TReportCell &cell, PictureMode mode)
{
    const QImage image = cell.image();
    if (image.isNull())
        return;
    const QRect rect = ToRect(cell.cellRect);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    if (mode == PictureMode::Stretched) {
        painter.drawImage(rect.adjusted(3, 3, -3, -3), image);
    } else {
        const int left = rect.left() + (rect.width() - image.width()) / 2;
        const int top = rect.top() + qMin(3, qMax(0, (rect.height() - image.height()) / 2));
        painter.drawImage(QPoint(left, top), image);
    }
    painter.restore();
}

} // namespace

QColor WinColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int ToWinColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void PaintCell(QPainter &painter, const TReportDocument &doc, const TReportCell &cell,
               PictureMode pictures)
{
    if (cell.isSlave())
        return;
    Picture(painter, cell, pictures);
    const WinRect &r = cell.cellRect;
    if ((cell.backColor & 0xFFFFFF) != kWhite)
        painter.fillRect(ToRect(r), WinColor(cell.backColor));
    const bool firstCell = cell.line() && cell.line()->cellPosition(&cell) == 0;
    const bool firstLine = cell.line() && !doc.lines.isEmpty() && doc.lines.first() == cell.line();
    Border(painter, cell.leftBorder, firstCell, QLine(r.left, r.top, r.left, r.bottom),
           doc.printing);
    Border(painter, cell.topBorder, firstLine, QLine(r.left, r.top, r.right, r.top),
           doc.printing);
    Border(painter, cell.rightBorder, true, QLine(r.right, r.top, r.right, r.bottom),
           doc.printing);
    Border(painter, cell.bottomBorder, true, QLine(r.left, r.bottom, r.right, r.bottom),
           doc.printing);
    Diagonals(painter, cell);
    if (cell.text.isEmpty())
        return;
    // The text was measured over the width less the margins; it is drawn over
    // the same width so that it breaks where it was measured.
    const WinRect &t = cell.textRect;
    const int measured = cell.width - 2 * cell.textMargin;
    const QRectF area(cell.left + cell.textMargin, t.top, qMax(1, measured), t.bottom - t.top + 2);
    painter.setPen(WinColor(cell.textColor));
    DrawCellText(painter, ToQFont(cell.font), area, cell.text, cell.hAlign);
}

void PaintCells(QPainter &painter, const TReportDocument &doc, const QRect &area,
                PictureMode pictures)
{
    for (const TReportLine *line : doc.lines) {
        for (const TReportCell *cell : line->cells) {
            if (area.isNull() || ToRect(cell->cellRect).adjusted(-3, -3, 3, 3).intersects(area))
                PaintCell(painter, doc, *cell, pictures);
        }
    }
}

void PaintPageFrame(QPainter &painter, const TReportDocument &doc)
{
    const ReportHeader &h = doc.header;
    painter.fillRect(QRect(0, 0, h.pageWidth, h.pageHeight), Qt::white);
    painter.setPen(QPen(WinColor(0x808080), 1));
    const int left = h.leftMargin;
    const int top = h.topMargin;
    const int right = h.pageWidth - h.rightMargin;
    const int bottom = h.pageHeight - h.bottomMargin;
    const int s = 25;
    painter.drawLine(left, top, left - s, top);
    painter.drawLine(left, top, left, top - s);
    painter.drawLine(right, top, right + s, top);
    painter.drawLine(right, top, right, top - s);
    painter.drawLine(left, bottom, left - s, bottom);
    painter.drawLine(left, bottom, left, bottom + s);
    painter.drawLine(right, bottom, right + s, bottom);
    painter.drawLine(right, bottom, right, bottom + s);
}

} // namespace Orb
