#pragma once
// The printer settings a template keeps (Windows paper size codes, 256 for a
// user-defined size; orientation 1 portrait, 2 landscape; length and width in
// tenths of millimetres), applied to and read back from a QPrinter.

class QPrinter;

namespace Orb {

struct ReportHeader;

inline constexpr int kUserPaperSize = 256;

void ApplyPaperSettings(QPrinter &printer, const ReportHeader &header);
void ReadPaperSettings(const QPrinter &printer, ReportHeader &header);
// The page of a new template: the default printer's printable page, or
// 758 x 1037 for an A4 sheet when no printer is installed.
void DefaultPageSize(int &width, int &height);
// The printable page of the printer in screen pixels (96 per inch).
void PageSizeFromPrinter(const QPrinter &printer, int &width, int &height);

} // namespace Orb
