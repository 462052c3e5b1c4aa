#include "report/ReportJson.h"

#include "report/ReportDocument.h"

#include <QJsonArray>

namespace Orb {

namespace {

QJsonArray Rect(const WinRect &r)
{
    return {r.left, r.top, r.right, r.bottom};
}

QJsonObject Border(const CellBorder &b)
{
    return {{QStringLiteral("on"), b.on != 0}, {QStringLiteral("width"), b.width}};
}

QJsonValue Ref(const TReportDocument &doc, const TReportCell *cell)
{
    if (!cell)
        return QJsonValue::Null;
    const auto [line, position] = doc.positionOf(cell);
    return QJsonArray{line, position};
}

QJsonObject Font(const LogFont &f)
{
    return {{QStringLiteral("face"), f.face()},
            {QStringLiteral("height"), f.height},
            {QStringLiteral("weight"), f.weight},
            {QStringLiteral("italic"), f.italic != 0},
            {QStringLiteral("underline"), f.underline != 0},
            {QStringLiteral("strikeOut"), f.strikeOut != 0},
            {QStringLiteral("charSet"), f.charSet}};
}

QJsonObject Cell(const TReportDocument &doc, const TReportCell &c)
{
    QJsonArray slaves;
    for (const TReportCell *slave : c.slaves)
        slaves.append(Ref(doc, slave));
    QJsonObject picture;
    if (c.hasPicture()) {
        const QImage image = c.image();
        picture = {{QStringLiteral("bytes"), int(c.picture.size())},
                   {QStringLiteral("width"), image.width()},
                   {QStringLiteral("height"), image.height()}};
    }
    return {{QStringLiteral("index"), c.index},
            {QStringLiteral("left"), c.left},
            {QStringLiteral("width"), c.width},
            {QStringLiteral("textMargin"), c.textMargin},
            {QStringLiteral("cellRect"), Rect(c.cellRect)},
            {QStringLiteral("textRect"), Rect(c.textRect)},
            {QStringLiteral("minHeight"), c.minHeight},
            {QStringLiteral("textHeight"), c.textHeight},
            {QStringLiteral("mergedTextHeight"), c.mergedTextHeight},
            {QStringLiteral("borders"),
             QJsonObject{{QStringLiteral("left"), Border(c.leftBorder)},
                         {QStringLiteral("top"), Border(c.topBorder)},
                         {QStringLiteral("right"), Border(c.rightBorder)},
                         {QStringLiteral("bottom"), Border(c.bottomBorder)}}},
            {QStringLiteral("diagonals"), c.diagonals},
            {QStringLiteral("textColor"), c.textColor},
            {QStringLiteral("backColor"), c.backColor},
            {QStringLiteral("hAlign"), c.hAlign},
            {QStringLiteral("vAlign"), c.vAlign},
            {QStringLiteral("text"), c.text},
            {QStringLiteral("format"), c.displayFormat},
            {QStringLiteral("picture"), c.hasPicture() ? QJsonValue(picture) : QJsonValue()},
            {QStringLiteral("font"), Font(c.font)},
            {QStringLiteral("owner"), Ref(doc, c.owner)},
            {QStringLiteral("slaves"), slaves}};
}

} // namespace

QJsonObject TemplateToJson(const TReportDocument &doc)
{
    const ReportHeader &h = doc.header;
    const QJsonObject header{
        {QStringLiteral("pageWidth"), h.pageWidth},
        {QStringLiteral("pageHeight"), h.pageHeight},
        {QStringLiteral("margins"), QJsonArray{h.leftMargin, h.topMargin, h.rightMargin,
                                               h.bottomMargin}},
        {QStringLiteral("marginsMm"), QJsonArray{h.leftMarginMm, h.topMarginMm,
                                                 h.rightMarginMm, h.bottomMarginMm}},
        {QStringLiteral("reserved"), QJsonArray{h.reservedFlag, h.reserved1, h.reserved2}},
        {QStringLiteral("paperSize"), h.paperSize},
        {QStringLiteral("orientation"), h.orientation},
        {QStringLiteral("paperLength"), h.paperLength},
        {QStringLiteral("paperWidth"), h.paperWidth},
        {QStringLiteral("repeatFromLine"), h.repeatFromLine}};
    QJsonArray lines;
    for (const TReportLine *line : doc.lines) {
        QJsonArray cells;
        for (const TReportCell *cell : line->cells)
            cells.append(Cell(doc, *cell));
        lines.append(QJsonObject{{QStringLiteral("index"), line->index},
                                 {QStringLiteral("top"), line->top},
                                 {QStringLiteral("height"), line->height()},
                                 {QStringLiteral("textHeight"), line->textHeight},
                                 {QStringLiteral("userHeight"), line->userHeight},
                                 {QStringLiteral("lineRect"), Rect(line->lineRect)},
                                 {QStringLiteral("cells"), cells}});
    }
    return {{QStringLiteral("header"), header},
            {QStringLiteral("lines"), lines}};
}

} // namespace Orb
