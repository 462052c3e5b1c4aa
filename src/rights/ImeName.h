#pragma once
// Input methods: the ones installed on this machine, and giving a window's
// edit controls the chosen one. Free-text edits take the input method; grids,
// number and date fields switch it off.

#include <QStringList>

class QWidget;

namespace Orb {

// Names of the input-method frameworks found on this machine (fcitx5, ibus…).
QStringList InstalledInputMethods();

// Every control of the window except those with tag 100: free-text edits
// take the input method, grids, number and date fields none.
void ApplyImeName(QWidget *window, const QString &imeName);

} // namespace Orb
