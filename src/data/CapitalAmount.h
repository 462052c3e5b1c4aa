#pragma once
// Amounts in the Chinese capital figures of financial documents (壹仟零伍元肆角整).

#include <QString>

namespace Orb {

// The capital form of an amount text; empty for a zero amount.
QString CapitalAmount(const QString &amount);
QString IntegerWords(const QString &digits);
QString FractionWords(const QString &fraction);
QString GroupWords(const QString &digits);

} // namespace Orb
