// orbcashier-cli archive create|extract|list: the backup archive from a shell.
#include "app/CliCommands.h"

#include "maintenance/ArchiveFormat.h"
#include "maintenance/OrbBackupFile.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace Orb {

namespace {

void Err(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

int Usage()
{
    Err(QStringLiteral("用法: orbcashier-cli archive create ARCHIVE DIR [--volume-size BYTES] "
                       "[--level fastest|none|default|max] [--threads N]\n"
                       "      orbcashier-cli archive extract ARCHIVE DIR "
                       "[--mode all|nooverwrite|newer|existing|existingnewer]\n"
                       "      orbcashier-cli archive list ARCHIVE"));
    return 2;
}

// Percent steps on a terminal; nothing when the output goes to a file.
void ShowProgress(TOrbBackupFile &archive)
{
    if (!isatty(fileno(stderr)))
        return;
    archive.OnProgress = [last = -1](TOrbBackupFile *, const QString &, int percent,
                                     bool &) mutable {
        if (percent == last)
            return;
        last = percent;
        std::fprintf(stderr, "\r%3d%%%s", percent, percent == 100 ? "\n" : "");
    };
}

bool ParseLevel(const QString &text, TCompressionLevel *level)
{
    static const QStringList names{"fastest", "none", "default", "max"};
    const int i = names.indexOf(text.isEmpty() ? QStringLiteral("fastest") : text);
    if (i < 0)
        return false;
    *level = TCompressionLevel(i);
    return true;
}

bool ParseMode(const QString &text, TRestoreMode *mode)
{
    static const QStringList names{"all", "nooverwrite", "newer", "existing", "existingnewer"};
    const int i = names.indexOf(text.isEmpty() ? QStringLiteral("all") : text);
    if (i < 0)
        return false;
    *mode = TRestoreMode(i);
    return true;
}

int Create(const QStringList &args)
{
    TOrbBackupFile archive;
    const QString size = CliOption(args, QStringLiteral("--volume-size"));
    const QString threads = CliOption(args, QStringLiteral("--threads"));
    bool ok = true;
    archive.MaxSize = size.isEmpty() ? 0 : size.toLongLong(&ok);
    if (!ok || archive.MaxSize < 0 || (archive.MaxSize > 0 && archive.MaxSize <= kVolumeMargin)) {
        Err(QStringLiteral("卷的大小必须大于%1字节").arg(kVolumeMargin));
        return 2;
    }
    archive.Threads = threads.isEmpty() ? 0 : threads.toInt();
    if (!ParseLevel(CliOption(args, QStringLiteral("--level")), &archive.CompressionLevel))
        return Usage();
    if (!QFileInfo(args[2]).isDir()) {
        Err(QStringLiteral("目录不存在：") + args[2]);
        return 1;
    }
    // Volumes are written beside the first one.
    archive.OnNeedDisk = [](TOrbBackupFile *, int, bool &) {};
    ShowProgress(archive);
    return archive.Backup(args[2], args[1], true) ? 0 : 1;
}

int Extract(const QStringList &args)
{
    TOrbBackupFile archive;
    if (!ParseMode(CliOption(args, QStringLiteral("--mode")), &archive.RestoreMode))
        return Usage();
    archive.Threads = 0;
    const QString name = args[1];
    archive.OnNeedDisk = [name](TOrbBackupFile *, int disk, bool &doContinue) {
        doContinue = QFileInfo::exists(VolumeName(name, disk));
        if (!doContinue)
            Err(QStringLiteral("找不到备份文件的第%1卷：").arg(disk) + VolumeName(name, disk));
    };
    if (!QDir().mkpath(args[2])) {
        Err(QStringLiteral("不能建立目录：") + args[2]);
        return 1;
    }
    ShowProgress(archive);
    return archive.Restore(name, QDir(args[2]).absolutePath()) ? 0 : 1;
}

int List(const QStringList &args)
{
    TOrbBackupFile archive;
    const QString name = args[1];
    archive.OnNeedDisk = [name](TOrbBackupFile *, int disk, bool &doContinue) {
        doContinue = QFileInfo::exists(VolumeName(name, disk));
        if (!doContinue)
            Err(QStringLiteral("找不到备份文件的第%1卷：").arg(disk) + VolumeName(name, disk));
    };
    QList<TArchiveEntry> entries;
    if (!archive.List(name, &entries))
        return 1;
    for (const TArchiveEntry &e : entries) {
        const QDateTime date = UnpackDosDateTime(e.FileDate);
        const QString line = QStringLiteral("%1\t%2\t%3")
                                 .arg(date.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))
                                 .arg(e.Size)
                                 .arg(e.Name);
        std::printf("%s\n", line.toUtf8().constData());
    }
    return 0;
}

} // namespace

int RunArchiveCommand(const QStringList &args)
{
    const QString verb = args.value(0);
    if (verb == QLatin1String("create") && args.size() >= 3)
        return Create(args);
    if (verb == QLatin1String("extract") && args.size() >= 3)
        return Extract(args);
    if (verb == QLatin1String("list") && args.size() == 2)
        return List(args);
    return Usage();
}

} // namespace Orb
