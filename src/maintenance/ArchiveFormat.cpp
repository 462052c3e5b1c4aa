#include "maintenance/ArchiveFormat.h"

#include <QFileInfo>

namespace Orb {

QString BackupErrorText(int error)
{
    switch (error) {
    case beCannotReadFile: return QStringLiteral("不能读文件");
    case beCannotOverwrite: return QStringLiteral("覆盖文件失败");
    case beCannotReadArchive: return QStringLiteral("不能读备份的文件");
    case beCannotWriteArchive: return QStringLiteral("不能写备份的文件");
    case beInvalidArchive: return QStringLiteral("无效的备份文件");
    case beCompression: return QStringLiteral("压缩错误");
    case beCannotCreateTemp: return QStringLiteral("不能建立临时文件去保存文件标示");
    default: return QString();
    }
}

QString VolumeDigits(int volume)
{
    return QStringLiteral("%1").arg(volume % 1000, 3, 10, QLatin1Char('0'));
}

QString VolumeName(const QString &archiveName, int volume)
{
    if (volume == 0)
        return archiveName;
    // The extension starts at the last dot after the last directory separator.
    const int slash = archiveName.lastIndexOf(QLatin1Char('/'));
    const int dot = archiveName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? archiveName.left(dot) : archiveName;
    return stem + QLatin1Char('.') + VolumeDigits(volume);
}

qint32 PackDosDateTime(const QDateTime &dateTime)
{
    const QDateTime local = dateTime.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    if (!d.isValid() || d.year() < 1980 || d.year() > 2107)
        return 0;
    const quint32 date = (quint32(d.year() - 1980) << 9) | (quint32(d.month()) << 5)
                         | quint32(d.day());
    const quint32 time = (quint32(t.hour()) << 11) | (quint32(t.minute()) << 5)
                         | quint32(t.second() / 2);
    return static_cast<qint32>((date << 16) | time);
}

QDateTime UnpackDosDateTime(qint32 value)
{
    const quint32 v = static_cast<quint32>(value);
    const quint32 date = v >> 16;
    const quint32 time = v & 0xFFFF;
    const QDate d(int(date >> 9) + 1980, int((date >> 5) & 0x0F), int(date & 0x1F));
    const QTime t(int(time >> 11), int((time >> 5) & 0x3F), int(time & 0x1F) * 2);
    if (!d.isValid() || !t.isValid())
        return QDateTime();
    return QDateTime(d, t);
}

} // namespace Orb
