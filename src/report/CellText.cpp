#include "report/CellText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace Orb {

namespace {

QString Normalised(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

Qt::Alignment Alignment(int hAlign)
{
    switch (hAlign) {
    case 1: return Qt::AlignHCenter;
    case 2: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

// Lays the text out in lines of the width; returns the total height.
qreal LayOut(QTextLayout &layout, qreal width, int hAlign)
{
    QTextOption option(Alignment(hAlign));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(qMax<qreal>(width, 1));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

} // namespace

int MeasureCellText(const QFont &font, int width, const QString &text, int hAlign)
{
    QString body = text;
    const bool trailingBreak = body.endsWith(QStringLiteral("\r\n"));
    if (trailingBreak)
        body.chop(2);
    QTextLayout layout(Normalised(body), font);
    int height = static_cast<int>(std::ceil(LayOut(layout, width, hAlign)));
    if (trailingBreak)
        height += LetterHeight(font);
    return height;
}

int LetterHeight(const QFont &font)
{
    return QFontMetrics(font).height();
}

void DrawCellText(QPainter &painter, const QFont &font, const QRectF &rect,
                  const QString &text, int hAlign)
{
    QTextLayout layout(Normalised(text), font, painter.device());
    LayOut(layout, rect.width(), hAlign);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    layout.draw(&painter, rect.topLeft());
    painter.restore();
}

} // namespace Orb
