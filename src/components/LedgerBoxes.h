#pragma once
// Amounts drawn as ledger boxes: the amount as "0.00" without the decimal
// point, one digit per box counted from the right.

#include <QColor>
#include <QString>

namespace Orb {

struct LedgerDigits {
    QString digits;      // one character per box, right-aligned; blank boxes are spaces
    bool negative = false;
    bool overflow = false;   // more digits than boxes: the leading ones are not drawn
};

// The digits of the amount for the given number of boxes. A negative amount
// is drawn in red without its sign.
LedgerDigits LedgerBoxDigits(double amount, int boxes);

// The line closing box n (1 = the rightmost, the hundredths): green for
// 1, 6, 9, 12, 15 and 18, red for 3 (between units and tenths), grey otherwise.
QColor LedgerLineColor(int box);

} // namespace Orb
