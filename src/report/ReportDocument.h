#pragma once
// The report template without a window: page and paper settings, lines and
// cells, the selection, the layout rules and the editing operations. The
// designer's control, the run-time's pages and the template files share it.

#include "report/ReportLine.h"

#include <QList>

namespace Orb {

// Page of an A4 sheet in page pixels when no printer is installed.
inline constexpr int kDefaultPageWidth = 758;
inline constexpr int kDefaultPageHeight = 1037;
inline constexpr double kMmToPixelsX = 3.6095238;
inline constexpr double kMmToPixelsY = 3.49158249158;

struct ReportHeader {
    qint32 zoom = 100;
    qint32 pageWidth = kDefaultPageWidth;
    qint32 pageHeight = kDefaultPageHeight;
    qint32 leftMargin = 0;
    qint32 topMargin = 0;
    qint32 rightMargin = 0;
    qint32 bottomMargin = 0;
    qint32 leftMarginMm = 20;
    qint32 topMarginMm = 20;
    qint32 rightMarginMm = 10;
    qint32 bottomMarginMm = 15;
    quint8 reservedFlag = 1;
    qint32 reserved1 = 2000;
    qint32 reserved2 = 1;
    qint32 paperSize = 0;
    qint32 orientation = 0;
    qint32 paperLength = 0;
    qint32 paperWidth = 0;
    qint32 repeatFromLine = 0;

    ReportHeader();   // page-pixel margins from the millimetres at 96 dpi
};

class TReportDocument {
public:
    TReportDocument() = default;
    ~TReportDocument();
    TReportDocument(const TReportDocument &) = delete;
    TReportDocument &operator=(const TReportDocument &) = delete;

    ReportHeader header;
    QList<TReportLine *> lines;      // owned
    QList<TReportCell *> selection;
    bool printing = false;

    void clear();
    TReportLine *appendLine();
    TReportLine *insertLine(int position);
    TReportCell *cellAt(int line, int position) const;
    // Line index and cell position of the cell; (-1, -1) when it is not here.
    QPair<int, int> positionOf(const TReportCell *cell) const;

    // --- layout -----------------------------------------------------------
    void layout();
    void calcTextHeight(TReportCell *cell) const;
    int totalHeight() const;   // bottom of the last line, or the top margin

    // --- settings ----------------------------------------------------------
    void setMarginsMm(int left, int top, int right, int bottom);
    void setPageSize(int width, int height);

    // --- editing (each acts on the selection and lays the report out) -----
    bool NewTable(int columns, int rows);
    void AddLine();
    void InsertLine();
    void DeleteLine();
    void AddCell();
    void InsertCell();
    void DeleteCell();
    void CombineCells();
    void SplitCell();
    void VSplitCell(int count);
    void SetBorders(const CellBorder &left, const CellBorder &top, const CellBorder &right,
                    const CellBorder &bottom);
    void SetDiagonals(int bits);
    void SetAlignment(int horizontal, int vertical);
    void SetColors(qint32 textColor, qint32 backColor);
    void SetFont(const LogFont &font);
    void SetText(const QString &text);
    void SetDisplayFormat(const QString &format);
    void SetCellWidth(TReportCell *cell, int width);
    void SetLineUserHeight(TReportLine *line, int height);

    void select(TReportCell *cell, bool add = false);
    void clearSelection() { selection.clear(); }

    // Dissolves the merge the cell owns or belongs to.
    static void Dissolve(TReportCell *cell);

private:
    void deleteLineAt(int position);
    void removeCell(TReportCell *cell);
    void copyLine(const TReportLine *source, TReportLine *target);
    void absorbInLine(TReportLine *line, QList<TReportCell *> &selected);
    void takeSlave(TReportCell *owner, TReportCell *slave);
    void splitSlavesLike(TReportCell *owner, const QList<TReportCell *> &columns);
    void calcSlaveHeight(TReportCell *cell) const;
    int ownerLinesHeight(const TReportCell *owner, const TReportLine *skip) const;
};

} // namespace Orb
