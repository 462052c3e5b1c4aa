#pragma once
// Measuring and drawing a cell's text the way the edit control breaks it:
// word wrap, long words broken anywhere, CR LF as line breaks.

#include <QString>

class QFont;
class QPainter;
class QRectF;

namespace Orb {

// Height in pixels of the text laid out in the given width with the alignment
// (0 left, 1 centre, 2 right); a trailing CR LF counts as one more line.
int MeasureCellText(const QFont &font, int width, const QString &text, int hAlign);
// The height of one line of the letter "A" in the font.
int LetterHeight(const QFont &font);
void DrawCellText(QPainter &painter, const QFont &font, const QRectF &rect,
                  const QString &text, int hAlign);

} // namespace Orb
