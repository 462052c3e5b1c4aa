#pragma once
// Small templates shared by the report tests.

#include "report/ReportDocument.h"

#include <QImage>

namespace Orb::Test {

// 4 lines of 3 cells; cell (0,0) owns (1,0) and (2,0); every field set
// somewhere: diagonals, colours, alignment, borders, a picture, Chinese text,
// a display format, a bold italic font and paper settings.
inline void FillRichTemplate(TReportDocument &doc)
{
    doc.header.pageWidth = 700 + doc.header.leftMargin + doc.header.rightMargin;
    doc.NewTable(3, 4);
    doc.select(doc.cellAt(0, 0));
    doc.select(doc.cellAt(1, 0), true);
    doc.select(doc.cellAt(2, 0), true);
    doc.CombineCells();
    TReportCell *owner = doc.cellAt(0, 0);
    owner->text = QStringLiteral("合并单元格\r\n第二行");
    TReportCell *c = doc.cellAt(0, 1);
    c->text = QStringLiteral("单位名称：银行存款");
    c->diagonals = kDiagTopLeftToBottomRight | kDiagTopRightToBottomMiddle;
    c->textColor = 0x0000FF;
    c->backColor = 0xC0FFC0;
    c->hAlign = 1;
    c->vAlign = 2;
    c->textMargin = 3;
    c->minHeight = 40;
    c->leftBorder = {0, 1};
    c->topBorder = {1, 2};
    c->rightBorder = {0, 3};
    c->bottomBorder = {1, 2};
    c->font.setFace(QStringLiteral("黑体"));
    c->font.weight = 700;
    c->font.italic = 1;
    c->font.height = -20;
    c->font.charSet = 134;
    TReportCell *amount = doc.cellAt(1, 2);
    amount->text = QStringLiteral("#D.AMOUNT");
    amount->displayFormat = QStringLiteral("#,##0.00");
    TReportCell *capital = doc.cellAt(3, 2);
    capital->text = QStringLiteral("`SUMPAGE(3)");
    capital->displayFormat = QStringLiteral("大写金额");
    QImage picture(13, 7, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 40));
    picture.setPixelColor(3, 2, Qt::green);
    doc.cellAt(3, 1)->setImage(picture);
    doc.lines[3]->userHeight = 50;
    doc.header.paperSize = 256;
    doc.header.orientation = 1;
    doc.header.paperLength = 1400;
    doc.header.paperWidth = 2410;
    doc.header.repeatFromLine = 2;
    doc.header.reservedFlag = 1;
    doc.selection.clear();
    doc.layout();
}

} // namespace Orb::Test
