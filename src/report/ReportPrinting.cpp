// Printing the stored pages of the run-time: on a printer, with or without
// the print dialog, and into a PDF file.

#include "report/ReportRunTime.h"

#include "report/ReportPainter.h"
#include "report/ReportPaper.h"
#include "report/ReportStream.h"

#include "data/DialogRunner.h"
#include "data/Messages.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace Orb {

namespace {

const QString kBuildError =
    QStringLiteral("形成报表时发生错误，请检查各项参数与模板设置等是否正确");

} // namespace

bool TReportRunTime::PrintPages(QPrinter &printer, int from, int to)
{
    printer.setDocName(ReportTitle.isEmpty() ? QStringLiteral("未命名报表") : ReportTitle);
    from = qMax(1, from);
    to = qMin(int(m_pages.size()), to);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect target(0, 0, printer.width(), printer.height());
    for (int page = from; page <= to; ++page) {
        if (page > from)
            printer.newPage();
        TReportDocument doc;
        if (LoadReportStream(doc, m_pages[page - 1]) != StreamResult::Ok)
            continue;
        doc.printing = true;
        painter.save();
        painter.setViewport(target);
        painter.setWindow(0, 0, qMax(1, int(doc.header.pageWidth)),
                          qMax(1, int(doc.header.pageHeight)));
        PaintCells(painter, doc, QRect(), PictureMode::Centred);
        painter.restore();
    }
    return painter.end();
}

bool TReportRunTime::PrintToPdf(const QString &fileName)
{
    RunSetData();
    bool built = false;
    try {
        built = BuildPages();
    } catch (const std::exception &) {
        ClearPages();
        ShowWarning(kBuildError);
    }
    if (!built)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setFullPage(true);
    ApplyPaperSettings(printer, m_template.header);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!PrintPages(printer, 1, m_pageCount)) {
        ShowWarning(QStringLiteral("无法写入文件：") + fileName);
        return false;
    }
    return true;
}

bool TReportRunTime::RunPrint(bool withDialog, QWidget *parent)
{
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        ShowWarning(QStringLiteral("未安装打印机"));
        return false;
    }
    RunSetData();
    DisableControls();
    bool built = false;
    try {
        built = BuildPages();
    } catch (const std::exception &) {
        ClearPages();
        ShowWarning(kBuildError);
    }
    bool printed = false;
    if (built) {
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        ApplyPaperSettings(printer, m_template.header);
        int from = 1, to = m_pageCount;
        bool accepted = true;
        if (withDialog) {
            QPrintDialog dialog(&printer, parent);
            dialog.setMinMax(1, m_pageCount);
            dialog.setFromTo(1, m_pageCount);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
            accepted = RunModal(&dialog) == QDialog::Accepted;
            if (accepted && printer.printRange() == QPrinter::PageRange) {
                from = printer.fromPage();
                to = printer.toPage();
            }
        }
        printed = accepted && PrintPages(printer, from, to);
    }
    EnableControls();
    return printed;
}

} // namespace Orb
