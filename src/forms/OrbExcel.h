#pragma once
// TOrbExcel exports the records of a data set into a new workbook (.xlsx)
// and opens it with the desktop's spreadsheet program: title cells, the
// caption row, an optional running number column, the data and footer cells.

#include "forms/ExcelFields.h"

#include <QString>
#include <functional>

namespace Orb {

class TExportDataSet;

class TOrbExcel {
public:
    TOrbExcel();

    TExportDataSet *DataSet = nullptr;
    QString ReportName;   // the worksheet's name
    bool ID = false;      // a first column "序号" with the running number
    // Where Export writes its workbook; the user's documents directory.
    QString OutputDir;
    // Opens the written file; the desktop's program by default.
    std::function<bool(const QString &fileName)> Opener;

    // Writes the workbook into OutputDir and opens it; failures are shown.
    void Export(const TExcelFieldArray &columns, const TFieldNameArray &titles,
                const TFieldNameArray &footers);
    // Writes the workbook to the file; refusals and failures are shown.
    bool ExportToFile(const QString &fileName, const TExcelFieldArray &columns,
                      const TFieldNameArray &titles, const TFieldNameArray &footers);

    // The file the last export wrote; empty when it wrote none.
    QString LastFile() const { return m_lastFile; }

private:
    bool check();
    bool write(const QString &fileName, const TExcelFieldArray &columns,
               const TFieldNameArray &titles, const TFieldNameArray &footers);
    QString m_lastFile;
};

// Texts that would read as numbers but must stay text in a spreadsheet:
// longer than 10 characters, or 9 or 10 characters without a ".", or with a
// leading zero that a number would lose.
bool KeepAsText(const QString &text);
// A valid worksheet name made of the report name.
QString WorksheetName(const QString &reportName);

} // namespace Orb
