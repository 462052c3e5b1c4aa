#pragma once
// Look-ups on the money type tree: codes are the parent's code plus three
// digits, top-level types hang under the root 'G001'.

#include <QString>

namespace Orb {

inline const QString kTreeRoot = QStringLiteral("G001");

// "收入-销售-产品A" for a level-3 type; empty text for a code without a row.
QString MoneyTypeFullName(const QString &code);
// The top-level type whose subtree holds the code; empty for 'G001' or when
// the chain of parents does not reach the root.
QString TopMoneyType(const QString &code);
// The condition selecting the type and its descendants; empty for level 0.
QString MoneyTypeSubtreeCondition(const QString &code, int level,
                                  const QString &alias = QString());
// The same with the level taken from the code's length.
QString MoneyTypeSubtreeCondition(const QString &code);

} // namespace Orb
