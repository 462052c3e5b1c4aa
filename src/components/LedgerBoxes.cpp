#include "components/LedgerBoxes.h"

#include <cmath>

namespace Orb {

LedgerDigits LedgerBoxDigits(double amount, int boxes)
{
    LedgerDigits r;
    r.negative = amount < 0 && std::llround(std::fabs(amount) * 100) != 0;
    QString d = QString::number(std::fabs(amount), 'f', 2).remove(QLatin1Char('.'));
    if (d.size() > boxes) {
        r.overflow = true;
        d = d.right(boxes);
    }
    r.digits = QString(boxes - d.size(), QLatin1Char(' ')) + d;
    return r;
}

QColor LedgerLineColor(int box)
{
    switch (box) {
    case 1: case 6: case 9: case 12: case 15: case 18:
        return QColor(0, 128, 0);
    case 3:
        return Qt::red;
    default:
        return Qt::gray;
    }
}

} // namespace Orb
