// The report commands: a template filled from queries into a PDF, and a
// template printed as JSON.
#include "app/CliReport.h"

#include "app/CliCommands.h"
#include "data/OrbFun.h"
#include "data/RunTime.h"
#include "report/ReportDataSet.h"
#include "report/ReportJson.h"
#include "report/ReportRunTime.h"
#include "report/ReportStream.h"

#include <QJsonDocument>
#include <QSqlQuery>
#include <cstdio>

namespace Orb {

namespace {

void Err(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

// Every column of a query is a print field whose caption is its name, so
// {NAME} and [AMOUNT] markers of a template find the columns.
void AddPrintFields(TPrintFieldsArray &fields, const TReportDataSet &data,
                    const QString &name, bool master)
{
    for (int i = 0; i < data.FieldCount(); ++i)
        fields.append({data.FieldName(i), data.FieldName(i), name, master, !master});
}

QList<QPair<QString, QString>> Variables(const QStringList &args)
{
    QList<QPair<QString, QString>> variables;
    for (int i = 0; i + 1 < args.size(); ++i) {
        if (args[i] != QLatin1String("--var"))
            continue;
        const QString pair = args[i + 1];
        const int eq = pair.indexOf(QLatin1Char('='));
        if (eq > 0)
            variables.append({pair.left(eq), pair.mid(eq + 1)});
    }
    return variables;
}

} // namespace

int RunReportCommand(const QStringList &args)
{
    const QString templateFile = CliOption(args, QStringLiteral("--template"));
    const QString masterSql = CliOption(args, QStringLiteral("--master"));
    const QString detailSql = CliOption(args, QStringLiteral("--detail"));
    const QString pdf = CliOption(args, QStringLiteral("--pdf"));
    if (templateFile.isEmpty() || masterSql.isEmpty() || pdf.isEmpty()) {
        Err(QStringLiteral("必须给出 --template FILE --master \"<SELECT …>\" --pdf OUT"));
        return 2;
    }
    if (!CliOpenDatabase())
        return 1;
    TReportRunTime runTime;
    auto masterQuery = OpenSql(masterSql);
    TMemoryDataSet *master = TMemoryDataSet::FromQuery(*masterQuery, &runTime);
    TPrintFieldsArray fields;
    AddPrintFields(fields, *master, QStringLiteral("M"), true);
    runTime.RegisterDataSet(QStringLiteral("M"), master);
    runTime.SetDefaultDataSet(master);
    if (!detailSql.isEmpty()) {
        auto detailQuery = OpenSql(detailSql);
        TMemoryDataSet *detail = TMemoryDataSet::FromQuery(*detailQuery, &runTime);
        AddPrintFields(fields, *detail, QStringLiteral("D"), false);
        runTime.RegisterDataSet(QStringLiteral("D"), detail);
    } else {
        AddPrintFields(fields, *master, QStringLiteral("M"), false);
    }
    runTime.SetPrintFields(fields);
    runTime.SetVariable(QStringLiteral("单位名称"), CompanyTitle);
    for (const auto &[name, value] : Variables(args))
        runTime.SetVariable(name, value);
    runTime.AddSpace = CliHasFlag(args, QStringLiteral("--add-space"));
    runTime.ReportTitle = CliOption(args, QStringLiteral("--title"));
    if (!runTime.SetReportFile(templateFile))
        return 1;
    if (!runTime.PrintToPdf(pdf))
        return 1;
    std::fprintf(stdout, "%d\n", runTime.PageCount());
    return 0;
}

int RunTemplateDumpCommand(const QStringList &args)
{
    if (args.isEmpty()) {
        Err(QStringLiteral("必须给出模板文件"));
        return 2;
    }
    TReportDocument doc;
    const StreamResult result = LoadReportFile(doc, args.first());
    if (result != StreamResult::Ok) {
        Err(QStringLiteral("格式不正确"));
        return 1;
    }
    const QByteArray json = QJsonDocument(TemplateToJson(doc)).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}

} // namespace Orb
