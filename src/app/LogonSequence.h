#pragma once
// The end of the start-up: enrolment when no system user exists, else the
// logon; then the main window.

class QWidget;

namespace Orb {

// True when the logon or the enrolment returned OK.
bool RunLogonOrEnrolment(int systemUsers, QWidget *mainWindow);

} // namespace Orb
