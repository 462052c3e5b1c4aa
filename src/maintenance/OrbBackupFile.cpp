#include "maintenance/OrbBackupFile.h"

#include "data/Messages.h"
#include "maintenance/ArchiveAttribute.h"
#include "maintenance/ArchiveFormat.h"
#include "maintenance/DiskPrompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <thread>
#include <zlib.h>

namespace Orb {

TOrbBackupFile::TOrbBackupFile() = default;

void TOrbBackupFile::SetBackupMode(TBackupMode mode)
{
    m_backupMode = mode;
    if (mode == bmIncremental)
        SetArchiveFlag = true;
}

int TOrbBackupFile::ZlibLevel() const
{
    switch (CompressionLevel) {
    case clNone: return 0;
    case clDefault: return Z_DEFAULT_COMPRESSION;
    case clMax: return 9;
    case clFastest: break;
    }
    return 1;
}

int TOrbBackupFile::WorkerThreads() const
{
    if (Threads == 1)
        return 0;
    if (Threads > 1)
        return Threads;
    return std::max(2, int(std::thread::hardware_concurrency()));
}

bool TOrbBackupFile::Progress(const QString &fileName, qint64 done, qint64 total)
{
    // Keeps the progress window painting between blocks.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    if (!OnProgress)
        return true;
    const int percent = total > 0 ? int(std::min<qint64>(100, done * 100 / total)) : 100;
    bool doContinue = true;
    OnProgress(this, fileName, percent, doContinue);
    return doContinue;
}

bool TOrbBackupFile::NeedDisk(int diskId)
{
    if (OnNeedDisk) {
        bool doContinue = true;
        OnNeedDisk(this, diskId, doContinue);
        return doContinue;
    }
    return AskForDisk(diskId);
}

void TOrbBackupFile::ReportError(int error)
{
    m_lastError = error;
    const QString text = BackupErrorText(error);
    if (OnError)
        OnError(this, error, text);
    else
        ShowError(text);
}

namespace {

// Files matching a pattern such as "dir/*.DB" or "dir/*.* /s".
QStringList MatchPattern(QString pattern)
{
    bool recursive = false;
    if (pattern.endsWith(QLatin1String(" /s"), Qt::CaseInsensitive)) {
        recursive = true;
        pattern.chop(3);
    }
    const QFileInfo info(pattern);
    QString names = info.fileName();
    if (names == QLatin1String("*.*"))
        names = QStringLiteral("*");
    QDirIterator it(info.absolutePath(), QStringList{names},
                    QDir::Files | QDir::Hidden | QDir::System,
                    recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

QStringList TOrbBackupFile::CollectFiles(const QString &source, const QString &archiveName,
                                         bool wholeDirectory) const
{
    QStringList found;
    if (wholeDirectory) {
        const QFileInfoList infos = QDir(source).entryInfoList(
            QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QFileInfo &info : infos)
            found << info.filePath();
    } else {
        found = MatchPattern(source);
    }
    const QString archive = QFileInfo(archiveName).absoluteFilePath();
    QSet<QString> seen;
    QStringList files;
    for (const QString &name : std::as_const(found)) {
        // Names keep their case: this file system tells BX.DB from bx.db.
        const QString path = QFileInfo(name).absoluteFilePath();
        if (path == archive || seen.contains(path))
            continue;
        if (m_backupMode == bmIncremental && !HasArchiveAttribute(path))
            continue;
        seen.insert(path);
        files << path;
    }
    return files;
}

} // namespace Orb
