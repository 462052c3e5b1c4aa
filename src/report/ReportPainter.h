#pragma once
// Painting template cells and pages in page pixels, for the screen (with
// grey guides for borders that are off) and for the printer.

class QPainter;
class QRect;
class QColor;

namespace Orb {

class TReportCell;
class TReportDocument;

QColor WinColor(int value);
int ToWinColor(const QColor &color);

// Pictures: stretched over the cell inset by 3 pixels (designer view), or
// centred at their own size, top at most 3 pixels below the cell top (printing).
enum class PictureMode { Stretched, Centred };

void PaintCell(QPainter &painter, const TReportDocument &doc, const TReportCell &cell,
               PictureMode pictures);
// Every cell that intersects the area (page pixels); a null area paints all.
void PaintCells(QPainter &painter, const TReportDocument &doc, const QRect &area,
                PictureMode pictures);
// The white page with its margin corner marks.
void PaintPageFrame(QPainter &painter, const TReportDocument &doc);

} // namespace Orb
