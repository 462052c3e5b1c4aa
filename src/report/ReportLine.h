#pragma once
// One line of a report template: its cells in left-to-right order.

#include "report/ReportCell.h"

#include <QList>

namespace Orb {

class TReportDocument;

class TReportLine {
public:
    explicit TReportLine(TReportDocument *document = nullptr) : m_document(document) {}
    ~TReportLine();
    TReportLine(const TReportLine &) = delete;
    TReportLine &operator=(const TReportLine &) = delete;

    TReportDocument *document() const { return m_document; }
    void setDocument(TReportDocument *document) { m_document = document; }

    // The line's height: the larger of its text height and its user height.
    int height() const { return qMax(textHeight, userHeight); }

    TReportCell *addCell();                 // appended; owned by the line
    TReportCell *insertCell(int position);  // inserted in front of position
    // Removes the cell from the line and deletes it (links are the caller's job).
    void deleteCell(TReportCell *cell);
    int cellPosition(const TReportCell *cell) const { return cells.indexOf(cell); }

    QList<TReportCell *> cells;   // owned
    qint32 index = 0;
    qint32 textHeight = 0;
    qint32 userHeight = 0;
    qint32 top = 0;
    WinRect lineRect;

private:
    TReportDocument *m_document;
};

} // namespace Orb
