#include "forms/Orb3DLabel.h"

#include <QPainter>

namespace Orb {

TOrb3DLabel::TOrb3DLabel(QWidget *parent) : QLabel(parent)
{
    resize(66, 18);
}

void TOrb3DLabel::setCaption(const QString &caption)
{
    setText(caption);
    if (!AutoSize)
        return;
    // A right-aligned label keeps its right edge.
    const int right = geometry().right();
    resize(sizeHint());
    if (alignment() & Qt::AlignRight)
        move(right - width() + 1, y());
}

QSize TOrb3DLabel::sizeHint() const
{
    const QFontMetrics fm(font());
    const QString t = text().isEmpty() ? QStringLiteral(" ") : text();
    QSize s = wordWrap() ? fm.boundingRect(QRect(0, 0, width(), 10000), Qt::TextWordWrap, t).size()
                         : QSize(fm.horizontalAdvance(t), fm.height());
    const int extra = 2 + (DrawType == dtShadow ? qAbs(ShadowIndent) : 0);
    return s + QSize(extra, extra);
}

void TOrb3DLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!Transparent)
        p.fillRect(rect(), palette().color(QPalette::Window));
    const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    const QRect r = rect().adjusted(1, 1, -1, -1);
    auto copy = [&](const QColor &c, int dx, int dy) {
        p.setPen(c);
        p.drawText(r.translated(dx, dy), flags, text());
    };
    if (!isEnabled()) {
        copy(palette().color(QPalette::Disabled, QPalette::WindowText), 0, 0);
        return;
    }
    switch (DrawType) {
    case dtNone:
        break;
    case dtShadow:
        copy(DarkColor, ShadowIndent, ShadowIndent);
        break;
    case dtLightRaised:
        copy(LightColor, -1, -1);
        break;
    case dtHeavyRaised:
        copy(LightColor, -1, -1);
        copy(DarkColor, 1, 1);
        break;
    case dtLightInsert:
        copy(LightColor, 1, 1);
        break;
    case dtHeavyInsert:
        copy(LightColor, 1, 1);
        copy(DarkColor, -1, -1);
        break;
    }
    copy(palette().color(QPalette::WindowText), 0, 0);
}

} // namespace Orb
