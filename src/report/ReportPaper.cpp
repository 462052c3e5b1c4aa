#include "report/ReportPaper.h"

#include "report/LogFont.h"
#include "report/ReportDocument.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace Orb {

namespace {

struct PaperCode {
    int code;
    QPageSize::PageSizeId id;
};

constexpr PaperCode kPapers[] = {
    {1, QPageSize::Letter},  {5, QPageSize::Legal},  {7, QPageSize::Executive},
    {8, QPageSize::A3},      {9, QPageSize::A4},     {11, QPageSize::A5},
    {12, QPageSize::B4},     {13, QPageSize::B5},    {70, QPageSize::A6},
    {3, QPageSize::Tabloid},
};

} // namespace

void ApplyPaperSettings(QPrinter &printer, const ReportHeader &h)
{
    if (h.paperSize == kUserPaperSize && h.paperLength > 0 && h.paperWidth > 0) {
        printer.setPageSize(QPageSize(QSizeF(h.paperWidth / 10.0, h.paperLength / 10.0),
                                      QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        printer.setPageOrientation(QPageLayout::Portrait);
        return;
    }
    for (const PaperCode &paper : kPapers) {
        if (paper.code == h.paperSize)
            printer.setPageSize(QPageSize(paper.id));
    }
    if (h.orientation == 2)
        printer.setPageOrientation(QPageLayout::Landscape);
    else if (h.orientation == 1)
        printer.setPageOrientation(QPageLayout::Portrait);
}

void ReadPaperSettings(const QPrinter &printer, ReportHeader &h)
{
    const QPageLayout layout = printer.pageLayout();
    const QPageSize size = layout.pageSize();
    h.paperSize = kUserPaperSize;
    for (const PaperCode &paper : kPapers) {
        if (paper.id == size.id())
            h.paperSize = paper.code;
    }
    h.orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    const QSizeF mm = size.size(QPageSize::Millimeter);
    h.paperWidth = static_cast<int>(std::lround(mm.width() * 10));
    h.paperLength = static_cast<int>(std::lround(mm.height() * 10));
}

void DefaultPageSize(int &width, int &height)
{
    width = kDefaultPageWidth;
    height = kDefaultPageHeight;
    if (QPrinterInfo::availablePrinters().isEmpty())
        return;
    QPrinter printer(QPrinterInfo::defaultPrinter());
    PageSizeFromPrinter(printer, width, height);
}

void PageSizeFromPrinter(const QPrinter &printer, int &width, int &height)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // No physical printer: the sheet at the page-pixel scale of an A4
        // page of 758 x 1037.
        const QSizeF mm = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
        width = static_cast<int>(std::lround(mm.width() * kMmToPixelsX));
        height = static_cast<int>(std::lround(mm.height() * kMmToPixelsY));
        return;
    }
    const QRectF inches = printer.pageLayout().paintRect(QPageLayout::Inch);
    width = static_cast<int>(std::lround(inches.width() * kScreenPixelsPerInch));
    height = static_cast<int>(std::lround(inches.height() * kScreenPixelsPerInch));
}

} // namespace Orb
