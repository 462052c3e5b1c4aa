#pragma once
// Constants and small pieces of the backup archive format: the segment
// signature, the special entry names, volume names, the error texts and the
// packed DOS date-time of the stored files.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace Orb {

inline const QByteArray kSegmentSignature("EC2\0", 4);
inline const QByteArray kFileListName("FILE:LIST");
inline const QByteArray kNextDiskName("NEXT:DISK");
// A volume ends its segment once it has reached its limit less this margin.
inline constexpr qint64 kVolumeMargin = 16484;
// Longest entry name a reader accepts; longer names mark a damaged archive.
inline constexpr int kMaxNameLength = 4096;

enum TBackupError {
    beNone = 0,
    beCannotReadFile = 1,
    beCannotOverwrite = 2,
    beCannotReadArchive = 3,
    beCannotWriteArchive = 4,
    beInvalidArchive = 5,
    beCompression = 6,
    beCannotCreateTemp = 7,
};

QString BackupErrorText(int error);

// Volume n of an archive: the name with its extension replaced by "." and n
// in three digits (the last three digits beyond 999). Volume 0 is the name.
QString VolumeName(const QString &archiveName, int volume);
QString VolumeDigits(int volume);

// The date and time as a packed DOS value (local time, two-second steps);
// 0 for dates a DOS value cannot hold.
qint32 PackDosDateTime(const QDateTime &dateTime);
// Invalid for a value that is no real date.
QDateTime UnpackDosDateTime(qint32 value);

} // namespace Orb
