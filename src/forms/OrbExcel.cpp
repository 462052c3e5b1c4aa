#include "forms/OrbExcel.h"

#include "data/Gbk.h"
#include "data/Messages.h"
#include "data/RunTime.h"
#include "forms/DesktopOpener.h"
#include "forms/ExportDataSet.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QStandardPaths>

#include <xlsxwriter.h>

namespace Orb {

namespace {

constexpr int kMaxRows = 1048576;
constexpr int kMaxCellText = 32767;

bool LooksNumeric(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    return number.match(text).hasMatch();
}

// Writes one cell the way a spreadsheet takes a typed-in text: numbers as
// numbers, everything else (and long digit strings) as text.
class SheetWriter {
public:
    SheetWriter(lxw_workbook *book, lxw_worksheet *sheet) : m_sheet(sheet)
    {
        m_textFormat = workbook_add_format(book);
        format_set_num_format(m_textFormat, "@");
    }

    void cell(int row, int column, const QString &raw, bool measure = false)
    {
        const QString text = raw.trimmed().left(kMaxCellText);
        if (text.isEmpty())
            return;
        if (measure)
            m_widths[column] = std::max(m_widths.value(column), GbkLength(text));
        lxw_error rc;
        if (KeepAsText(text)) {
            rc = worksheet_write_string(m_sheet, row, lxw_col_t(column),
                                        text.toUtf8().constData(), m_textFormat);
        } else if (LooksNumeric(text)) {
            rc = worksheet_write_number(m_sheet, row, lxw_col_t(column), text.toDouble(),
                                        nullptr);
        } else {
            rc = worksheet_write_string(m_sheet, row, lxw_col_t(column),
                                        text.toUtf8().constData(), nullptr);
        }
        if (rc != LXW_NO_ERROR)
            m_ok = false;
    }

    void number(int row, int column, double value)
    {
        if (worksheet_write_number(m_sheet, row, lxw_col_t(column), value, nullptr)
            != LXW_NO_ERROR)
            m_ok = false;
    }

    // Columns as wide as their caption and data (GBK bytes count the width a
    // Chinese character takes), within reason.
    void fitColumns()
    {
        for (auto it = m_widths.cbegin(); it != m_widths.cend(); ++it) {
            worksheet_set_column(m_sheet, lxw_col_t(it.key()), lxw_col_t(it.key()),
                                 std::clamp(it.value() + 2, 6, 60), nullptr);
        }
    }

    bool ok() const { return m_ok; }

private:
    QMap<int, int> m_widths;
    lxw_worksheet *m_sheet;
    lxw_format *m_textFormat;
    bool m_ok = true;
};

QString SafeFileName(const QString &name)
{
    QString safe = name.trimmed();
    safe.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")),
                 QStringLiteral("_"));
    return safe;
}

} // namespace

bool KeepAsText(const QString &text)
{
    if (text.size() > 10)
        return true;
    if ((text.size() == 9 || text.size() == 10) && !text.contains(QLatin1Char('.')))
        return true;
    const QString digits = text.startsWith(QLatin1Char('-')) ? text.mid(1) : text;
    return LooksNumeric(text) && digits.size() > 1 && digits.startsWith(QLatin1Char('0'))
           && digits.at(1) != QLatin1Char('.');
}

QString WorksheetName(const QString &reportName)
{
    QString name = reportName.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\]")), QStringLiteral("_"));
    name = name.left(31);
    while (name.startsWith(QLatin1Char('\'')))
        name[0] = QLatin1Char('_');
    if (name.endsWith(QLatin1Char('\'')))
        name[name.size() - 1] = QLatin1Char('_');
    return name;
}

TOrbExcel::TOrbExcel()
    : OutputDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)),
      Opener(OpenWithDesktop)
{
}

bool TOrbExcel::check()
{
    if (!DataSet || !DataSet->IsOpen()) {
        ShowWarning(QStringLiteral("没有数据源"));
        return false;
    }
    if (ReportName.trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("没有报表名称"));
        return false;
    }
    if (DataSet->RecordCount() == 0) {
        ShowWarning(QStringLiteral("没有数据"));
        return false;
    }
    return true;
}

void TOrbExcel::Export(const TExcelFieldArray &columns, const TFieldNameArray &titles,
                       const TFieldNameArray &footers)
{
    m_lastFile.clear();
    if (!check())
        return;
    QString dir = OutputDir;
    if (dir.isEmpty() || !QDir().mkpath(dir))
        dir = TempDir.isEmpty() ? QDir::tempPath() : TempDir;
    const QString fileName = QDir(dir).filePath(
        SafeFileName(ReportName) + QLatin1Char(' ')
        + Now().toString(QStringLiteral("yyyy-MM-dd hh.mm.ss")) + QStringLiteral(".xlsx"));
    if (!write(fileName, columns, titles, footers))
        return;
    if (!Opener || !Opener(fileName)) {
        ShowWarning(QStringLiteral("没有找到打开Excel文件的程序,导出的数据已保存在文件：")
                    + QDir::toNativeSeparators(fileName));
    }
}

bool TOrbExcel::ExportToFile(const QString &fileName, const TExcelFieldArray &columns,
                             const TFieldNameArray &titles, const TFieldNameArray &footers)
{
    m_lastFile.clear();
    return check() && write(fileName, columns, titles, footers);
}

bool TOrbExcel::write(const QString &fileName, const TExcelFieldArray &columns,
                      const TFieldNameArray &titles, const TFieldNameArray &footers)
{
    QList<int> fields;
    QStringList captions;
    for (const TExcelFieldName &c : columns) {
        if (c.FieldName.isEmpty())
            continue;
        const int field = DataSet->FieldIndex(c.FieldName);
        if (field < 0) {
            ShowWarning(QStringLiteral("数据集中没有字段：") + c.FieldName);
            return false;
        }
        fields << field;
        captions << c.Caption;
    }
    const int captionRow = TitleRows(titles);
    const int records = DataSet->RecordCount();
    if (captionRow + 1 + records + TitleRows(footers) > kMaxRows) {
        ShowWarning(QStringLiteral("数据超过%1行,不能导出到Excel中").arg(kMaxRows));
        return false;
    }
    // Written beside the target and renamed over it only when complete.
    const QString partial = fileName + QStringLiteral(".part");
    lxw_workbook *book = workbook_new(QFile::encodeName(partial).constData());
    lxw_worksheet *sheet = book ? workbook_add_worksheet(
                                      book, WorksheetName(ReportName).toUtf8().constData())
                                : nullptr;
    if (!sheet) {
        if (book)
            workbook_close(book);
        QFile::remove(partial);
        ShowWarning(QStringLiteral("Excel打开过程发生错误"));
        return false;
    }
    SheetWriter out(book, sheet);
    WriteBlock(titles, 0, 0, [&](int r, int c, const QString &t) { out.cell(r, c, t); });
    const int shift = ID ? 1 : 0;
    if (ID)
        out.cell(captionRow, 0, QStringLiteral("序号"), true);
    for (int i = 0; i < captions.size(); ++i)
        out.cell(captionRow, i + shift, captions[i], true);
    DataSet->BeginExport();
    int row = captionRow;
    for (int record = 0; record < records; ++record) {
        ++row;
        if (ID)
            out.number(row, 0, record + 1);
        for (int i = 0; i < fields.size(); ++i)
            out.cell(row, i + shift, DataSet->Text(record, fields[i]), true);
    }
    DataSet->EndExport();
    WriteBlock(footers, row + 1, 1,
               [&](int r, int c, const QString &t) { out.cell(r, c, t); });
    out.fitColumns();
    const bool closed = workbook_close(book) == LXW_NO_ERROR;
    if (!closed || !out.ok() || !QFile::exists(partial)) {
        QFile::remove(partial);
        ShowWarning(QStringLiteral("Excel打开过程发生错误"));
        return false;
    }
    QFile::remove(fileName);
    if (!QFile::rename(partial, fileName)) {
        QFile::remove(partial);
        ShowWarning(QStringLiteral("Excel打开过程发生错误"));
        return false;
    }
    m_lastFile = fileName;
    return true;
}

} // namespace Orb
