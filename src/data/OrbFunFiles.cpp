// File and directory utilities of the helper library.
#include "data/Database.h"
#include "data/OrbFun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace Orb {

bool CopyDirectory(const QString &from, const QString &to)
{
    const QDir source(from);
    if (!source.exists())
        return false;
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(path));
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!QDir().mkpath(target))
                return false;
            continue;
        }
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (QFile::exists(target) && !QFile::remove(target))
            return false;
        if (!QFile::copy(path, target))
            return false;
    }
    return true;
}

int CleanTableFiles(const QString &dir)
{
    QDir d(dir);
    if (dir.isEmpty() || !d.exists() || !d.isReadable())
        return -1;
    int deleted = 0;
    for (const QFileInfo &f : d.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString upper = f.fileName().toUpper();
        if (upper == QLatin1String("SYS_BACK_TABLE.DB"))
            continue;
        if (upper.endsWith(QLatin1String(".DB")) || upper.endsWith(QLatin1String(".MB")))
            deleted += QFile::remove(f.absoluteFilePath()) ? 1 : 0;
    }
    return deleted;
}

QString DataBasePhysicalPath(const QString &aliasName)
{
    if (aliasName != kLinkName)
        return QString();
    LinkConfig c;
    if (!ReadLink(&c))
        return QString();
    return QDir(c.dataDir).absolutePath();
}

} // namespace Orb
