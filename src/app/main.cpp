// The program entry of Orb出纳记账管理系统.
#include "app/ProgramEntry.h"

#include "data/ErrorTranslation.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE")) {
        const QString conf = QStringLiteral(ORB_SOURCE_DIR "/fontconfig/orb-fonts.conf");
        if (QFile::exists(conf))
            qputenv("FONTCONFIG_FILE", conf.toLocal8Bit());
    }
    QApplication app(argc, argv);
    Orb::StartupResult start;
    if (!Orb::Guarded([&] { start = Orb::RunStartup(); }) || start.terminate)
        return 0;
    std::fprintf(stderr, "system users: %d\n", start.systemUsers);
    return 0;
}
