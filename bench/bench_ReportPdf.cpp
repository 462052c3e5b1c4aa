// Renders a journal template over 10,000 detail rows into a PDF and prints
// pages per second and the peak resident memory.
//   bench_ReportPdf [rows] [out.pdf]

#include "report/ReportDataSet.h"
#include "report/ReportRunTime.h"
#include "report/ReportStream.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

using namespace Orb;

namespace {

QString SaveTemplate(const QString &file)
{
    TReportDocument doc;
    doc.NewTable(5, 4);
    const QStringList texts{
        QStringLiteral("<单位名称>"), QStringLiteral("现金日记账"), QString(), QString(),
        QStringLiteral("<PageNum/>"),
        QStringLiteral("<序号>"), QStringLiteral("#D.DATE"), QStringLiteral("#D.SUMMARY"),
        QStringLiteral("#D.AMOUNT"), QStringLiteral("#D.BALANCE"),
        QStringLiteral("本页合计"), QString(), QStringLiteral("<SumPage(4)>"),
        QStringLiteral("<SumPage(4)>"), QString(),
        QStringLiteral("总计"), QString(), QString(), QStringLiteral("<Sum(4)>"), QString()};
    for (int i = 0; i < texts.size(); ++i)
        doc.cellAt(i / 5, i % 5)->text = texts[i];
    doc.cellAt(2, 2)->displayFormat = QStringLiteral("大写金额");
    doc.cellAt(1, 3)->displayFormat = QStringLiteral("#,##0.00");
    doc.layout();
    SaveReportFile(doc, file);
    return file;
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    const QString pdf = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath("bench.pdf");

    TMemoryDataSet data({{QStringLiteral("DATE"), FieldKind::Text},
                         {QStringLiteral("SUMMARY"), FieldKind::Text},
                         {QStringLiteral("AMOUNT"), FieldKind::Number},
                         {QStringLiteral("BALANCE"), FieldKind::Number}},
                        {});
    double balance = 0;
    for (int i = 0; i < rows; ++i) {
        const double amount = (i % 97) * 10.25 + 1;
        balance += amount;
        data.AppendRow({QStringLiteral("2026-%1-%2").arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                            .arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
                        QStringLiteral("收到第%1笔货款").arg(i + 1), amount, balance});
    }
    TReportRunTime runTime;
    runTime.SetReportFile(SaveTemplate(dir.filePath("BX_BENCH")));
    runTime.RegisterDataSet(QStringLiteral("D"), &data);
    runTime.SetVariable(QStringLiteral("单位名称"), QStringLiteral("天和商贸有限公司"));

    QElapsedTimer timer;
    timer.start();
    if (!runTime.BuildPages())
        return 1;
    const qint64 buildMs = timer.elapsed();
    if (!runTime.PrintToPdf(pdf))
        return 1;
    const qint64 totalMs = timer.elapsed();
    const int pages = runTime.PageCount();
    std::printf("rows            %d\n", rows);
    std::printf("pages           %d\n", pages);
    std::printf("pagination      %lld ms (both passes)\n", buildMs);
    std::printf("build + pdf     %lld ms (pages built again, then printed)\n", totalMs - buildMs);
    std::printf("pages/s         %.1f (build + pdf)\n",
                pages * 1000.0 / qMax<qint64>(1, totalMs - buildMs));
    std::printf("peak memory     %ld KiB\n", PeakKilobytes());
    std::printf("pdf size        %lld bytes\n", QFileInfo(pdf).size());
    return 0;
}
