#pragma once
// TDatasetToExcel writes the records of a data set into an Excel worksheet
// file (a minimal record stream) without any spreadsheet program: a title
// block, a caption row, one row per record and a footer block.

#include "forms/ExcelFields.h"

#include <QString>

namespace Orb {

class TExportDataSet;

class TDatasetToExcel {
public:
    TExportDataSet *Dataset = nullptr;
    bool ID = false;   // a first column "序号" with the running record number

    // Writes the file and reports the result in a message; true on success.
    bool ExportToFile(const QString &fileName, const TExcelFieldArray &fields,
                      const TFieldNameArray &titles, const TFieldNameArray &footers);
};

} // namespace Orb
