// orbcashier-cli export: the rows of a SELECT into a worksheet file.
#include "app/CliCommands.h"

#include "data/ErrorTranslation.h"
#include "data/OrbFun.h"
#include "forms/DatasetToExcel.h"
#include "forms/ExportRows.h"
#include "forms/OrbExcel.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <cstdio>

namespace Orb {

namespace {

int Usage()
{
    std::fprintf(stderr, "%s\n",
                 QStringLiteral("用法: orbcashier-cli export --sql \"<SELECT …>\" "
                                "(--xls OUT | --xlsx OUT [--name 工作表名]) [--id]")
                     .toUtf8()
                     .constData());
    return 2;
}

} // namespace

int RunExportCommand(const QStringList &args)
{
    const QString sql = CliOption(args, QStringLiteral("--sql"));
    const QString xls = CliOption(args, QStringLiteral("--xls"));
    const QString xlsx = CliOption(args, QStringLiteral("--xlsx"));
    if (sql.isEmpty() || xls.isEmpty() == xlsx.isEmpty())
        return Usage();
    if (!CliOpenDatabase())
        return 1;
    TExportRows rows;
    try {
        std::unique_ptr<QSqlQuery> query = OpenSql(sql);
        rows = TExportRows::FromQuery(*query);
    } catch (const std::exception &e) {
        TranslateException(nullptr, e);
        return 1;
    }
    TExcelFieldArray fields;
    for (int i = 0; i < rows.FieldCount(); ++i)
        fields << TExcelFieldName{rows.FieldName(i), rows.FieldName(i)};
    const bool id = CliHasFlag(args, QStringLiteral("--id"));
    if (!xls.isEmpty()) {
        TDatasetToExcel writer;
        writer.Dataset = &rows;
        writer.ID = id;
        return writer.ExportToFile(xls, fields, {}, {}) ? 0 : 1;
    }
    TOrbExcel writer;
    writer.DataSet = &rows;
    writer.ID = id;
    const QString name = CliOption(args, QStringLiteral("--name"));
    writer.ReportName = name.isEmpty() ? QFileInfo(xlsx).completeBaseName() : name;
    if (!writer.ExportToFile(xlsx, fields, {}, {}))
        return 1;
    std::fprintf(stderr, "%s\n",
                 (QStringLiteral("数据成功导出到：") + xlsx).toUtf8().constData());
    return 0;
}

} // namespace Orb
