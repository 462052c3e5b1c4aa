#pragma once
// Ready-made choices over the option window: a sort order, one of two.

#include <QStringList>

class QWidget;

namespace Orb {

// One item "按" caption "排序" for each of the first 12 captions; on OK
// `order` becomes " ORDER BY " [alias "."] field. False when cancelled.
bool ChooseSortOrder(const QStringList &captions, const QStringList &fields,
                     const QString &alias, QString &order, const QString &title,
                     QWidget *parent = nullptr);

// The chosen item number (1 or 2), or 0 when cancelled.
int ChooseOneOfTwo(const QString &first, const QString &second, const QString &title,
                   QWidget *parent = nullptr);

} // namespace Orb
