// Restore and listing: reads the header and the entries, follows volume
// changes, checks every length against the format before trusting it, and
// inflates the blocks of a segment on worker threads a few blocks ahead
// (also those of skipped files, so a damaged archive is always noticed).
// A restored file is written to a temporary file beside its target and
// renamed over it only when all of its data arrived, so a damaged archive
// never leaves a half-written file in place of a good one.

#include "maintenance/OrbBackupFile.h"

#include "data/Gbk.h"
#include "maintenance/ArchiveFormat.h"
#include "maintenance/BlockCodec.h"
#include "maintenance/OrderedWorkQueue.h"
#include "maintenance/RestoreTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QtEndian>
#include <cstdio>
#include <memory>

namespace Orb {

namespace {

struct InflatedBlock {
    bool ok = true;
    QByteArray bytes;
};

// The file currently being unpacked; its data may span several volumes.
struct OpenEntry {
    QString target;                         // empty: the data is skipped
    qint32 fileDate = 0;
    std::unique_ptr<QTemporaryFile> temp;
    TArchiveEntry listed;
    bool shortBlockSeen = false;            // only the last block may be short
};

class ArchiveReader {
public:
    ArchiveReader(TOrbBackupFile &owner, const QString &archiveName, const QString &destDir,
                  QList<TArchiveEntry> *listing)
        : m_owner(owner), m_archiveName(archiveName), m_destDir(destDir),
          m_listing(listing), m_queue(owner.WorkerThreads()),
          m_inFlight(owner.WorkerThreads() == 0 ? 1 : 2 * owner.WorkerThreads() + 2)
    {
    }

    bool run();
    int error() const { return m_error; }

private:
    bool readHeader();
    bool readInt(qint32 &value);
    bool readBytes(qint64 size, QByteArray &bytes);
    bool startEntry(const QByteArray &name);
    bool finishEntry();
    bool readSegment();
    bool writeBlock(const QByteArray &bytes);
    bool nextVolume(const QByteArray &marker);
    bool selected(QString &target, qint32 fileDate);
    bool fail(int error)
    {
        if (!m_error)
            m_error = error;
        return false;
    }

    TOrbBackupFile &m_owner;
    QString m_archiveName;
    QString m_destDir;
    QList<TArchiveEntry> *m_listing;
    OrderedWorkQueue<InflatedBlock> m_queue;
    int m_inFlight;
    QFile m_in;
    int m_volume = 0;
    qint64 m_total = 0;
    qint64 m_done = 0;
    std::unique_ptr<OpenEntry> m_entry;
    int m_error = 0;
};

bool ArchiveReader::readInt(qint32 &value)
{
    char bytes[4];
    if (m_in.read(bytes, 4) != 4)
        return fail(beCannotReadArchive);
    value = qFromLittleEndian<qint32>(bytes);
    return true;
}

bool ArchiveReader::readBytes(qint64 size, QByteArray &bytes)
{
    bytes.resize(size);
    if (m_in.read(bytes.data(), size) != size)
        return fail(beCannotReadArchive);
    return true;
}

bool ArchiveReader::readHeader()
{
    qint32 titleLength = 0;
    qint32 total = 0;
    qint32 count = 0;
    QByteArray title;
    if (!readInt(titleLength))
        return false;
    if (titleLength < 0 || titleLength > kMaxNameLength)
        return fail(beInvalidArchive);
    if (!readBytes(titleLength, title) || !readInt(total) || !readInt(count))
        return false;
    m_total = quint32(total);
    return true;
}

bool ArchiveReader::run()
{
    m_in.setFileName(m_archiveName);
    if (!m_in.open(QIODevice::ReadOnly) || !readHeader())
        return fail(beCannotReadArchive);
    for (;;) {
        qint32 length = 0;
        QByteArray name;
        if (!readInt(length))
            return false;
        if (length < 0 || length > kMaxNameLength)
            return fail(beInvalidArchive);
        if (length > 0 && !readBytes(length, name))
            return false;
        if (name.startsWith(kNextDiskName)) {
            if (!nextVolume(name) || !readSegment())
                return false;
            continue;
        }
        if (!finishEntry())
            return false;
        if (length == 0)
            break;
        if (!startEntry(name) || !readSegment())
            return false;
    }
    m_owner.Progress(QString(), 1, 1);
    return true;
}

bool ArchiveReader::selected(QString &target, qint32 fileDate)
{
    const QFileInfo info(target);
    const bool exists = info.exists() || info.isSymLink();
    const bool older = exists
                       && quint32(PackDosDateTime(info.lastModified())) < quint32(fileDate);
    bool doRestore = true;
    switch (m_owner.RestoreMode) {
    case rmAll: break;
    case rmNoOverwrite: doRestore = !exists; break;
    case rmNewer: doRestore = !exists || older; break;
    case rmExisting: doRestore = exists; break;
    case rmExistingNewer: doRestore = older; break;
    }
    if (m_owner.OnRestoreFile)
        m_owner.OnRestoreFile(&m_owner, target, fileDate, doRestore);
    return doRestore && !target.isEmpty();
}

bool ArchiveReader::startEntry(const QByteArray &name)
{
    m_entry = std::make_unique<OpenEntry>();
    if (!readInt(m_entry->fileDate))
        return false;
    const QString stored = name == kFileListName ? QString::fromLatin1(name) : FromGbk(name);
    m_entry->listed = {stored, m_entry->fileDate, 0, m_volume};
    if (m_listing || name == kFileListName)
        return true;
    QString target = RestoreTargetPath(stored, m_destDir);
    if (target.isEmpty())
        return fail(beInvalidArchive);
    if (!selected(target, m_entry->fileDate))
        return true;
    const QString dir = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(dir))
        return true;   // no directory for it: the file is skipped
    auto temp = std::make_unique<QTemporaryFile>(
        QDir(dir).filePath(QStringLiteral(".orb-restore-XXXXXX")));
    if (!temp->open())
        return fail(beCannotOverwrite);
    m_entry->target = target;
    m_entry->temp = std::move(temp);
    return true;
}

bool ArchiveReader::finishEntry()
{
    if (!m_entry)
        return true;
    std::unique_ptr<OpenEntry> entry = std::move(m_entry);
    if (m_listing)
        m_listing->append(entry->listed);
    if (!entry->temp)
        return true;
    QTemporaryFile &temp = *entry->temp;
    if (m_owner.OnFileRestored)
        m_owner.OnFileRestored(&m_owner, entry->target, &temp);
    if (!temp.flush())
        return fail(beCannotReadFile);
    const QDateTime stamp = UnpackDosDateTime(entry->fileDate);
    if (stamp.isValid())
        temp.setFileTime(stamp, QFileDevice::FileModificationTime);
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                        | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    temp.close();
    // rename() replaces the target itself, also when it is a symbolic link.
    if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                    QFile::encodeName(entry->target).constData())
        != 0)
        return fail(beCannotOverwrite);
    temp.setAutoRemove(false);
    return true;
}

bool ArchiveReader::writeBlock(const QByteArray &bytes)
{
    m_entry->listed.Size += bytes.size();
    m_done += bytes.size();
    if (m_entry->temp && m_entry->temp->write(bytes) != bytes.size())
        return fail(beCannotReadFile);
    return true;
}

bool ArchiveReader::readSegment()
{
    QByteArray signature;
    if (!readBytes(4, signature))
        return false;
    if (signature != kSegmentSignature)
        return fail(beInvalidArchive);
    bool segmentEnd = false;
    for (;;) {
        while (!segmentEnd && m_queue.pending() < m_inFlight) {
            qint32 length = 0;
            if (!readInt(length))
                return false;
            if (length == 0) {
                segmentEnd = true;
                break;
            }
            if (length < -kArchiveBlockSize || length > kArchiveBlockSize)
                return fail(beInvalidArchive);
            QByteArray data;
            if (!readBytes(length < 0 ? -qint64(length) : length, data))
                return false;
            m_queue.submit([data, length] {
                InflatedBlock block;
                if (length < 0)
                    block.bytes = data;
                else
                    block.ok = InflateBlock(data.constData(), data.size(), block.bytes);
                return block;
            });
        }
        if (m_queue.pending() == 0)
            return true;
        const InflatedBlock block = m_queue.take();
        if (!block.ok)
            return fail(beInvalidArchive);
        if (m_entry->shortBlockSeen)
            return fail(beInvalidArchive);
        m_entry->shortBlockSeen = block.bytes.size() < kArchiveBlockSize;
        if (!writeBlock(block.bytes))
            return false;
        if (!m_owner.Progress(m_entry->listed.Name, m_done, m_total))
            return false;
    }
}

bool ArchiveReader::nextVolume(const QByteArray &marker)
{
    if (!m_entry)
        return fail(beInvalidArchive);   // a volume change outside a file
    const int volume = m_volume + 1;
    if (marker != kNextDiskName + VolumeDigits(volume).toLatin1())
        return fail(beInvalidArchive);
    m_in.close();
    const QString name = VolumeName(m_archiveName, volume);
    // Volumes lying beside the first one are opened without a question.
    while (!QFileInfo::exists(name) || m_owner.OnNeedDisk) {
        if (!m_owner.NeedDisk(volume))
            return false;
        if (QFileInfo::exists(name))
            break;
    }
    m_in.setFileName(name);
    if (!m_in.open(QIODevice::ReadOnly))
        return fail(beCannotReadArchive);
    m_volume = volume;
    return true;
}

} // namespace

bool TOrbBackupFile::Restore(const QString &archiveName, const QString &destDir)
{
    m_lastError = 0;
    ArchiveReader reader(*this, archiveName, destDir, nullptr);
    if (reader.run())
        return true;
    if (reader.error())
        ReportError(reader.error());
    return false;
}

bool TOrbBackupFile::List(const QString &archiveName, QList<TArchiveEntry> *entries)
{
    m_lastError = 0;
    entries->clear();
    ArchiveReader reader(*this, archiveName, QString(), entries);
    if (reader.run())
        return true;
    if (reader.error())
        ReportError(reader.error());
    entries->clear();
    return false;
}

} // namespace Orb
