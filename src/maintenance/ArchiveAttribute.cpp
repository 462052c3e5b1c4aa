#include "maintenance/ArchiveAttribute.h"

#include <QFile>
#include <QFileInfo>

#include <sys/xattr.h>

namespace Orb {

namespace {

const char kAttributeName[] = "user.orb.archived";

QByteArray FileStamp(const QString &fileName)
{
    const QFileInfo info(fileName);
    return QByteArray::number(info.size()) + ':'
           + QByteArray::number(info.lastModified().toMSecsSinceEpoch());
}

} // namespace

bool HasArchiveAttribute(const QString &fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    char buffer[64];
    const ssize_t n = getxattr(path.constData(), kAttributeName, buffer, sizeof buffer);
    if (n <= 0)
        return true;
    return QByteArray(buffer, int(n)) != FileStamp(fileName);
}

bool ClearArchiveAttribute(const QString &fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    const QByteArray stamp = FileStamp(fileName);
    return setxattr(path.constData(), kAttributeName, stamp.constData(), size_t(stamp.size()), 0)
           == 0;
}

} // namespace Orb
