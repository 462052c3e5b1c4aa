#include "ReportFixtures.h"

#include "report/CellText.h"
#include "report/ReportPainter.h"
#include "report/ReportStream.h"

#include "data/TestSupport.h"

#include <QFont>
#include <QPainter>
#include <QtTest>

using namespace Orb;

namespace {

QList<int> Widths(const TReportLine *line)
{
    QList<int> widths;
    for (const TReportCell *cell : line->cells)
        widths << cell->width;
    return widths;
}

// A table of the given size whose usable width is exactly `width`.
void Table(TReportDocument &doc, int columns, int rows, int width)
{
    doc.header.pageWidth = width + doc.header.leftMargin + doc.header.rightMargin;
    doc.NewTable(columns, rows);
}

} // namespace

class TestReportDocument : public QObject {
    Q_OBJECT
private slots:
    void newHeaderDefaults()
    {
        TReportDocument doc;
        QCOMPARE(doc.header.pageWidth, 758);
        QCOMPARE(doc.header.pageHeight, 1037);
        QCOMPARE(doc.header.leftMargin, 77);    // 20 mm at 96 / 25
        QCOMPARE(doc.header.rightMargin, 38);
        QCOMPARE(doc.header.bottomMargin, 58);
        doc.setMarginsMm(20, 20, 10, 15);
        QCOMPARE(doc.header.leftMargin, 72);    // 20 × 3.6095238
        QCOMPARE(doc.header.topMargin, 70);     // 20 × 3.4915…
        QCOMPARE(doc.header.rightMargin, 36);
        QCOMPARE(doc.header.bottomMargin, 52);
    }

    void newTableSharesTheWidth()
    {
        RecordingMessageSink sink;
        TReportDocument doc;
        Table(doc, 7, 3, 700);
        QCOMPARE(doc.lines.size(), 3);
        QCOMPARE(Widths(doc.lines[2]), QList<int>(7, 100));
        QCOMPARE(doc.cellAt(0, 0)->left, doc.header.leftMargin);
        QCOMPARE(doc.cellAt(1, 3)->left, doc.header.leftMargin + 300);
        QCOMPARE(doc.lines[0]->top, doc.header.topMargin);
        QCOMPARE(doc.lines[1]->top, doc.header.topMargin + doc.lines[0]->height());
        QVERIFY(!doc.NewTable(2, 2));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("关闭正在编辑的报表后，才能建立新表格。")});
        QCOMPARE(doc.lines.size(), 3);
    }

    void widthNeverBelowTen()
    {
        TReportDocument doc;
        Table(doc, 2, 1, 200);
        doc.SetCellWidth(doc.cellAt(0, 0), 3);
        QCOMPARE(doc.cellAt(0, 0)->width, 10);
        QCOMPARE(doc.cellAt(0, 1)->left, doc.header.leftMargin + 10);
    }

    void textHeights()
    {
        TReportDocument doc;
        Table(doc, 2, 1, 400);
        TReportCell *cell = doc.cellAt(0, 0);
        const int single = cell->textHeight;
        const QFont font = ToQFont(cell->font);
        QCOMPARE(single, MeasureCellText(font, 190, QStringLiteral("汉"), 0) + 2 + 1 + 1);
        cell->text = QStringLiteral("摘要\r\n");
        doc.layout();
        QCOMPARE(cell->textHeight, single + LetterHeight(font));
        cell->text = QStringLiteral("一二三四五六七八九十一二三四五六七八九十一二三四五");
        doc.layout();
        QVERIFY(cell->textHeight >= single + LetterHeight(font) - 2);
        QCOMPARE(doc.lines[0]->height(), cell->textHeight);
        // Narrow cells: borders + 18.
        cell->textMargin = 100;
        cell->topBorder.width = 2;
        doc.layout();
        QCOMPARE(cell->textHeight, 2 + 1 + 18);
        doc.lines[0]->userHeight = 80;
        doc.layout();
        QCOMPARE(doc.lines[0]->height(), 80);
        // Centred text sits in the middle of the free height.
        const TReportCell *other = doc.cellAt(0, 1);
        QCOMPARE(other->textRect.top,
                 doc.lines[0]->top + 2 + qRound((80 - other->textHeight) / 2.0));
    }

    // A merged block over three lines: the owner spans them, its text is
    // measured over the whole block and the lowest line grows to hold it.
    void mergedBlock()
    {
        TReportDocument doc;
        Table(doc, 2, 3, 200);
        for (int line = 0; line < 3; ++line)
            doc.select(doc.cellAt(line, 0), line > 0);
        doc.CombineCells();
        TReportCell *owner = doc.cellAt(0, 0);
        QCOMPARE(doc.selection, QList<TReportCell *>{owner});
        QCOMPARE(owner->slaves.size(), 2);
        const int plain = doc.lines[0]->height();
        QCOMPARE(owner->cellRect.bottom, doc.lines[2]->top + doc.lines[2]->height());
        owner->text = QString(QStringLiteral("多行文字")).repeated(30);
        doc.layout();
        QVERIFY(owner->mergedTextHeight > 3 * plain);
        QCOMPARE(doc.lines[0]->height(), plain);
        QCOMPARE(owner->cellRect.bottom - owner->cellRect.top, owner->mergedTextHeight);
        QCOMPARE(owner->textRect.bottom, doc.lines[0]->top + owner->mergedTextHeight - 2);

        TReportDocument back;
        QCOMPARE(LoadReportStream(back, SaveReportStream(doc)), StreamResult::Ok);
        QCOMPARE(back.cellAt(0, 0)->slaves,
                 (QList<TReportCell *>{back.cellAt(1, 0), back.cellAt(2, 0)}));
        QCOMPARE(back.cellAt(1, 0)->text, QString());
        QCOMPARE(back.cellAt(0, 0)->cellRect, owner->cellRect);

        doc.select(owner);
        doc.SplitCell();
        QVERIFY(!owner->isOwner());
        QVERIFY(!doc.cellAt(2, 0)->isSlave());
        QCOMPARE(owner->cellRect.bottom, doc.lines[0]->top + doc.lines[0]->height());
    }

    void combineAcrossLinesAndColumns()
    {
        TReportDocument doc;
        Table(doc, 3, 2, 300);
        doc.cellAt(0, 0)->text = QStringLiteral("甲");
        doc.cellAt(0, 1)->text = QStringLiteral("乙");
        doc.cellAt(1, 0)->text = QStringLiteral("丙");
        for (auto [l, c] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}})
            doc.select(doc.cellAt(l, c), true);
        doc.CombineCells();
        QCOMPARE(Widths(doc.lines[0]), (QList<int>{200, 100}));
        QCOMPARE(Widths(doc.lines[1]), (QList<int>{200, 100}));
        QCOMPARE(doc.cellAt(0, 0)->text, QStringLiteral("甲乙丙"));
        QCOMPARE(doc.cellAt(1, 0)->owner, doc.cellAt(0, 0));
        QCOMPARE(doc.cellAt(1, 0)->text, QString());
    }

    void linesGrowMergesDownwards()
    {
        TReportDocument doc;
        Table(doc, 2, 2, 200);
        doc.select(doc.cellAt(0, 0));
        doc.select(doc.cellAt(1, 0), true);
        doc.CombineCells();
        doc.cellAt(1, 1)->text = QStringLiteral("不复制");
        doc.cellAt(1, 1)->displayFormat = QStringLiteral("0.00");
        doc.clearSelection();
        doc.AddLine();
        QCOMPARE(doc.lines.size(), 3);
        TReportCell *owner = doc.cellAt(0, 0);
        QCOMPARE(owner->slaves, (QList<TReportCell *>{doc.cellAt(1, 0), doc.cellAt(2, 0)}));
        QCOMPARE(doc.cellAt(2, 1)->text, QString());
        QCOMPARE(doc.cellAt(2, 1)->displayFormat, QStringLiteral("0.00"));
        doc.select(doc.cellAt(2, 1));
        doc.InsertLine();   // a copy of line 2 in front of it joins the merge
        QCOMPARE(doc.lines.size(), 4);
        QCOMPARE(owner->slaves, (QList<TReportCell *>{doc.cellAt(1, 0), doc.cellAt(2, 0),
                                                      doc.cellAt(3, 0)}));
        doc.select(doc.cellAt(1, 1));
        doc.DeleteLine();   // dissolves the merge first
        QCOMPARE(doc.lines.size(), 3);
        QVERIFY(!owner->isOwner());
        for (int l = 0; l < 3; ++l)
            QVERIFY(!doc.cellAt(l, 0)->isSlave());
    }

    void cellsAddInsertDelete()
    {
        TReportDocument doc;
        Table(doc, 2, 2, 200);
        doc.cellAt(0, 1)->setWidth(60);
        doc.cellAt(0, 1)->text = QStringLiteral("尾");
        doc.select(doc.cellAt(0, 0));
        doc.AddCell();
        QCOMPARE(Widths(doc.lines[0]), (QList<int>{100, 60, 60}));
        QCOMPARE(doc.cellAt(0, 2)->text, QString());
        doc.InsertCell();
        QCOMPARE(Widths(doc.lines[0]), (QList<int>{100, 100, 60, 60}));
        doc.select(doc.cellAt(1, 0));
        doc.select(doc.cellAt(1, 1), true);
        doc.DeleteCell();
        QCOMPARE(doc.lines.size(), 1);   // the emptied line is gone
        QVERIFY(doc.selection.isEmpty());
    }

    void deleteOwnerTakesItsSlaves()
    {
        TReportDocument doc;
        Table(doc, 2, 3, 200);
        doc.select(doc.cellAt(0, 0));
        doc.select(doc.cellAt(1, 0), true);
        doc.CombineCells();
        doc.DeleteCell();
        QCOMPARE(doc.lines[0]->cells.size(), 1);
        QCOMPARE(doc.lines[1]->cells.size(), 1);
        QCOMPARE(doc.lines[2]->cells.size(), 2);
        TReportDocument back;
        QCOMPARE(LoadReportStream(back, SaveReportStream(doc)), StreamResult::Ok);
    }

    void verticalSplit()
    {
        TReportDocument doc;
        Table(doc, 1, 3, 101);
        doc.select(doc.cellAt(0, 0));
        doc.select(doc.cellAt(1, 0), true);
        doc.CombineCells();
        doc.VSplitCell(3);
        // floor(101 / 3) = 33 each, the remainder to the column created last,
        // which lands right of the split cell.
        QCOMPARE(Widths(doc.lines[0]), (QList<int>{33, 35, 33}));
        QCOMPARE(Widths(doc.lines[1]), (QList<int>{33, 35, 33}));
        QCOMPARE(Widths(doc.lines[2]), QList<int>{101});
        for (int c = 0; c < 3; ++c)
            QCOMPARE(doc.cellAt(1, c)->owner, doc.cellAt(0, c));
        doc.select(doc.cellAt(2, 0));
        doc.VSplitCell(50);   // at most width / 12 columns
        QCOMPARE(doc.lines[2]->cells.size(), 8);
        TReportDocument back;
        QCOMPARE(LoadReportStream(back, SaveReportStream(doc)), StreamResult::Ok);
    }

    void preconditionsDoNothing()
    {
        TReportDocument doc;
        Table(doc, 2, 2, 200);
        const QByteArray before = SaveReportStream(doc);
        doc.CombineCells();      // nothing selected
        doc.SplitCell();
        doc.InsertLine();
        doc.select(doc.cellAt(0, 0));
        doc.select(doc.cellAt(1, 1), true);
        doc.AddLine();           // two selected
        doc.AddCell();
        doc.VSplitCell(2);
        doc.SplitCell();         // not an owner
        QCOMPARE(SaveReportStream(doc), before);
    }

    void settersActOnTheSelection()
    {
        TReportDocument doc;
        Table(doc, 2, 1, 200);
        doc.select(doc.cellAt(0, 1));
        doc.SetBorders({0, 1}, {1, 3}, {0, 1}, {1, 2});
        doc.SetDiagonals(kDiagTopRightToBottomLeft);
        doc.SetAlignment(2, 0);
        doc.SetColors(0xFF, 0xEEEEEE);
        doc.SetText(QStringLiteral("金额"));
        doc.SetDisplayFormat(QStringLiteral("#,##0.00"));
        LogFont font;
        font.weight = 700;
        doc.SetFont(font);
        const TReportCell *c = doc.cellAt(0, 1);
        QCOMPARE(c->topBorder, (CellBorder{1, 3}));
        QCOMPARE(c->diagonals, kDiagTopRightToBottomLeft);
        QCOMPARE(c->hAlign, 2);
        QCOMPARE(c->backColor, 0xEEEEEE);
        QCOMPARE(c->text, QStringLiteral("金额"));
        QCOMPARE(c->font.weight, 700);
        QCOMPARE(doc.cellAt(0, 0)->text, QString());
        QCOMPARE(c->textRect.top, doc.lines[0]->top + 3 + 1);   // top alignment
    }

    // Screen painting shows grey guides for borders that are off; printing
    // draws only the borders that are on.
    void paintingForScreenAndPrinter()
    {
        TReportDocument doc;
        doc.header.leftMargin = doc.header.topMargin = 10;
        doc.NewTable(2, 2);
        TReportCell *cell = doc.cellAt(0, 0);
        cell->leftBorder.on = 0;
        cell->topBorder.on = 0;
        cell->backColor = 0x0000FF;   // red in Windows byte order
        cell->diagonals = kDiagTopLeftToBottomRight;
        doc.cellAt(1, 1)->rightBorder.on = 0;
        doc.layout();
        auto render = [&](bool printing) {
            QImage image(doc.header.pageWidth, doc.header.pageHeight, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            doc.printing = printing;
            PaintCells(painter, doc, QRect(), PictureMode::Centred);
            return image;
        };
        const WinRect r = cell->cellRect;
        const int midY = (r.top + r.bottom) / 2;
        const WinRect r2 = doc.cellAt(1, 1)->cellRect;
        const QImage screen = render(false);
        QCOMPARE(screen.pixelColor(r.left, midY), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(screen.pixelColor(r.right, midY), QColor(Qt::black));
        QCOMPARE(screen.pixelColor(r.left + 20, r.top + 1 + 19 * (r.bottom - r.top - 2)
                                                           / (r.right - r.left - 2)),
                 QColor(Qt::black));   // on the diagonal
        QCOMPARE(screen.pixelColor(r.right - 20, r.top + 3), QColor(Qt::red));
        QCOMPARE(screen.pixelColor(r2.right, (r2.top + r2.bottom) / 2), QColor(0xC0, 0xC0, 0xC0));
        const QImage printed = render(true);
        QCOMPARE(printed.pixelColor(r.left, midY), QColor(Qt::red));
        QCOMPARE(printed.pixelColor(r2.right, (r2.top + r2.bottom) / 2), QColor(Qt::white));
        QCOMPARE(printed.pixelColor(r.right, midY), QColor(Qt::black));
    }

    void fontRecordMapping()
    {
        LogFont font;
        QCOMPARE(font.height, -16);
        QCOMPARE(font.face(), QStringLiteral("宋体"));
        font.weight = 700;
        font.italic = 1;
        const QFont qt = ToQFont(font);
        QCOMPARE(qt.pixelSize(), 16);
        QVERIFY(qt.bold() && qt.italic());
        QCOMPARE(qt.family(), QStringLiteral("宋体"));
        const LogFont back = FromQFont(qt);
        QCOMPARE(back.height, -16);
        QCOMPARE(back.weight, 700);
        QCOMPARE(back.face(), QStringLiteral("宋体"));
        QFont points(QStringLiteral("黑体"));
        points.setPointSize(9);
        QCOMPARE(FromQFont(points).height, -12);
        LogFont longName;
        longName.setFace(QString(QStringLiteral("字")).repeated(20));
        QCOMPARE(longName.face(), QString(QStringLiteral("字")).repeated(15));
    }
};

QTEST_MAIN(TestReportDocument)
#include "tst_ReportDocument.moc"
