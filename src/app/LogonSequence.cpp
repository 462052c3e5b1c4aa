#include "app/LogonSequence.h"

#include "app/EnrolForm.h"
#include "app/LogonForm.h"
#include "data/DialogRunner.h"

#include <QGuiApplication>
#include <QScreen>

namespace Orb {

namespace {

void Centre(QDialog *dialog)
{
    dialog->adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
}

} // namespace

bool RunLogonOrEnrolment(int systemUsers, QWidget *mainWindow)
{
    if (systemUsers > 0) {
        TLogonForm logon(mainWindow);
        Centre(&logon);
        return RunModal(&logon) == QDialog::Accepted;
    }
    TEnrolForm enrol(mainWindow);
    Centre(&enrol);
    return RunModal(&enrol) == QDialog::Accepted;
}

} // namespace Orb
