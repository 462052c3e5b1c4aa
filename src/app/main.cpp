// The program entry of Orb出纳记账管理系统.
#include "app/LogonSequence.h"
#include "app/MainForm.h"
#include "app/ProgramEntry.h"
#include "app/SetServerLinkForm.h"
#include "app/WindowCatalog.h"

#include "data/DialogRunner.h"
#include "data/ErrorTranslation.h"

#include <QApplication>
#include <QDir>
#include <memory>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE")) {
        const QString conf = QStringLiteral(ORB_SOURCE_DIR "/fontconfig/orb-fonts.conf");
        if (QFile::exists(conf))
            qputenv("FONTCONFIG_FILE", conf.toLocal8Bit());
    }
    QApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--server-settings"))) {
        Orb::TSetServerLinkForm form;
        return Orb::RunModal(&form) == QDialog::Accepted ? 0 : 1;
    }
    Orb::RegisterAllWindows();

    Orb::StartupResult start;
    if (!Orb::Guarded([&] { start = Orb::RunStartup(); }) || start.terminate)
        return 0;

    std::unique_ptr<Orb::TMainForm> main;
    Orb::Guarded([&] { main = std::make_unique<Orb::TMainForm>(); });
    if (!main || !main->Initialized())
        return 0;
    bool ok = false;
    Orb::Guarded([&] { ok = Orb::RunLogonOrEnrolment(start.systemUsers, main.get()); });
    if (!ok)
        return 0;
    main->showMaximized();
    return app.exec();
}
