#include "forms/OrbPanel.h"

#include <QPainter>

namespace Orb {

TOrbPanel::TOrbPanel(QWidget *parent) : QFrame(parent)
{
    FaceColor = palette().color(QPalette::Button);
    resize(185, 41);
}

QRect TOrbPanel::faceRect() const
{
    const int half = ShadowWidth / 2;
    // Shrunk by half the shadow on each side, moved down and right by half
    // (the shadow), then back up and left by the whole shadow (the face).
    return rect().adjusted(half, half, -half, -half).translated(half - ShadowWidth,
                                                                half - ShadowWidth);
}

void TOrbPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int half = ShadowWidth / 2;
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.fillRect(rect().adjusted(half, half, -half, -half).translated(half, half), ShadowColor);
    const QRect face = faceRect();
    p.fillRect(face, FaceColor);
    if (BorderLine != blNone) {
        const QColor topLeft = BorderLine == blRaised ? Color_High : Color_Low;
        const QColor bottomRight = BorderLine == blRaised ? Color_Low : Color_High;
        const int right = width() - ShadowWidth - 1;
        const int bottom = height() - ShadowWidth - 1;
        p.setPen(topLeft);
        p.drawLine(0, bottom, 0, 0);
        p.drawLine(0, 0, right, 0);
        p.setPen(bottomRight);
        p.drawLine(right, 0, right, bottom);
        p.drawLine(right, bottom, 0, bottom);
    }
    if (Caption.isEmpty())
        return;
    const QFontMetrics fm(font());
    const int y = face.top() + (face.height() - fm.boundingRect(QLatin1Char('W')).height()) / 2;
    const QRect line(face.left() + 2, y, face.width() - 4, fm.height());
    const int flags = int(Alignment | Qt::AlignTop | Qt::TextSingleLine);
    if (TextStyle != txNone) {
        const int d = TextStyle == txRaised ? -1 : 1;
        p.setPen(Color_High);
        p.drawText(line.translated(d, d), flags, Caption);
    }
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(line, flags, Caption);
}

} // namespace Orb
