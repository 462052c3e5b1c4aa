#include "forms/DatasetToExcel.h"

#include "data/Messages.h"
#include "forms/BiffWriter.h"
#include "forms/ExportDataSet.h"

#include <QSaveFile>

namespace Orb {

namespace {

struct Column {
    int field;
    TExportFieldKind kind;
};

void WriteValue(TBiffWriter &biff, int row, int column, const TExportDataSet &set,
                int record, const Column &c)
{
    const QString text = set.Text(record, c.field);
    if (c.kind == TExportFieldKind::Blob) {
        biff.Label(row, column, QString());
    } else if (text.isEmpty()) {
        biff.Blank(row, column);
    } else if (c.kind == TExportFieldKind::Integer) {
        biff.Integer(row, column, set.Value(record, c.field).toLongLong());
    } else if (c.kind == TExportFieldKind::Float) {
        biff.Number(row, column, set.Value(record, c.field).toDouble());
    } else {
        biff.Label(row, column, text);
    }
}

} // namespace

bool TDatasetToExcel::ExportToFile(const QString &fileName, const TExcelFieldArray &fields,
                                   const TFieldNameArray &titles,
                                   const TFieldNameArray &footers)
{
    // The data set is checked before the file is touched, so a refused export
    // leaves an existing file of that name as it was.
    if (!Dataset) {
        ShowWarning(QStringLiteral("没有数据源"));
        return false;
    }
    if (!Dataset->IsOpen()) {
        ShowWarning(QStringLiteral("没有数据"));
        return false;
    }
    QList<Column> columns;
    QStringList captions;
    for (const TExcelFieldName &f : fields) {
        if (f.FieldName.isEmpty())
            continue;
        const int field = Dataset->FieldIndex(f.FieldName);
        if (field < 0) {
            ShowWarning(QStringLiteral("数据集中没有字段：") + f.FieldName);
            return false;
        }
        columns << Column{field, Dataset->FieldKind(field)};
        captions << f.Caption;
    }
    const int titleRows = TitleRows(titles);
    const int records = Dataset->RecordCount();
    if (titleRows + 1 + records + TitleRows(footers) > kBiffMaxRows) {
        ShowWarning(QStringLiteral("数据超过%1行,不能导出成Excel文件").arg(kBiffMaxRows));
        return false;
    }

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        ShowWarning(QStringLiteral("不能建立文件：") + fileName);
        return false;
    }
    TBiffWriter biff(&file);
    biff.Bof();
    biff.CodePage(936);   // GBK labels, whatever the reader's own code page
    WriteBlock(titles, 0, 0, [&](int r, int c, const QString &t) { biff.Label(r, c, t); });
    int row = titleRows;
    int column = 0;
    if (ID)
        biff.Label(row, column++, QStringLiteral("序号"));
    for (const QString &caption : std::as_const(captions))
        biff.Label(row, column++, caption);

    Dataset->BeginExport();
    for (int record = 0; record < records; ++record) {
        ++row;
        column = 0;
        if (ID)
            biff.Rk(row, column++, record + 1);
        for (const Column &c : std::as_const(columns))
            WriteValue(biff, row, column++, *Dataset, record, c);
    }
    Dataset->EndExport();

    WriteBlock(footers, row + 1, ID ? 1 : 0,
               [&](int r, int c, const QString &t) { biff.Label(r, c, t); });
    biff.Eof();
    if (!biff.Ok() || !file.commit()) {
        ShowWarning(QStringLiteral("不能写文件：") + fileName);
        return false;
    }
    ShowWarning(QStringLiteral("数据成功导出到：") + fileName);
    return true;
}

} // namespace Orb
