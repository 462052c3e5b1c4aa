#include "app/ProgramEntry.h"

#include "app/DataModule.h"
#include "app/ShowForm.h"
#include "app/Startup.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <memory>

namespace Orb {

namespace {
std::unique_ptr<TDM> g_dm;
}

StartupResult RunStartup()
{
    StartupResult result;
    auto splash = std::make_unique<TShowForm>();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        splash->move(screen->geometry().center() - splash->rect().center());
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QStringLiteral("Orb出纳记账管理系统"));

    g_dm = std::make_unique<TDM>();
    if (g_dm->Terminate())
        return result;

    g_dm->Connect();
    InitAfterConnect(g_dm->Link().dataDir);

    while (splash->timerRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    splash.reset();

    result.terminate = false;
    result.systemUsers = CountSystemUsers();
    return result;
}

} // namespace Orb
