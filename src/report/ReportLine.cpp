#include "report/ReportLine.h"

namespace Orb {

TReportLine::~TReportLine()
{
    qDeleteAll(cells);
}

TReportCell *TReportLine::addCell()
{
    return insertCell(cells.size());
}

TReportCell *TReportLine::insertCell(int position)
{
    auto *cell = new TReportCell(this);
    cells.insert(qBound(0, position, int(cells.size())), cell);
    return cell;
}

void TReportLine::deleteCell(TReportCell *cell)
{
    if (cells.removeOne(cell))
        delete cell;
}

} // namespace Orb
