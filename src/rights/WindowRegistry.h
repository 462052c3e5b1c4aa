#pragma once
// The business windows and maintenance procedures that the main window's
// commands open. Each library that builds one registers it here at program
// start; the main window disables the command of anything not registered.

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace Orb {

struct WindowEntry {
    QString name;      // component name, e.g. "MoneyIntoOutForm"
    QString group;     // program group for the rights look-up; empty: none
    QString program;   // program name for the rights look-up
    // Creates the window (not shown) with a TOrbChild on it.
    std::function<QWidget *(QWidget *mainWindow)> create;
};

// A procedure run by a command, e.g. "Backup", "Restore", "DataRebuild".
using ProcedureFn = std::function<void(QWidget *mainWindow)>;

void RegisterWindow(const WindowEntry &entry);
const WindowEntry *FindWindowEntry(const QString &name);
void RegisterProcedure(const QString &name, ProcedureFn run);
ProcedureFn FindProcedure(const QString &name);
// Forgets everything (tests).
void ClearWindowRegistry();

// Registers the windows of this library (the password change window).
void RegisterRightsWindows();

} // namespace Orb
