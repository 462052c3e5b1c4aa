// Backup: writes the header, one entry per file with its segments of blocks,
// volume changes and the end mark. Blocks are compressed on worker threads
// a few blocks ahead and written in file order, so the bytes are the same as
// when every block is compressed in turn.

#include "maintenance/OrbBackupFile.h"

#include "data/Gbk.h"
#include "data/RunTime.h"
#include "maintenance/ArchiveAttribute.h"
#include "maintenance/ArchiveFormat.h"
#include "maintenance/BlockCodec.h"
#include "maintenance/OrderedWorkQueue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QtEndian>
#include <memory>

namespace Orb {

namespace {

class VolumeOutput {
public:
    bool create(const QString &name)
    {
        m_file.setFileName(name);
        m_position = 0;
        return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    bool writeInt(qint32 value)
    {
        char bytes[4];
        qToLittleEndian(value, bytes);
        return write(bytes, 4);
    }
    bool write(const char *data, qint64 size)
    {
        if (m_file.write(data, size) != size)
            return false;
        m_position += size;
        return true;
    }
    bool write(const QByteArray &bytes) { return write(bytes.constData(), bytes.size()); }
    bool close()
    {
        const bool flushed = m_file.flush();
        m_file.close();
        return flushed && m_file.error() == QFileDevice::NoError;
    }
    qint64 position() const { return m_position; }

private:
    QFile m_file;
    qint64 m_position = 0;
};

// Reads exactly one block of the file, or what is left of it.
bool ReadBlock(QFile &file, QByteArray &raw)
{
    raw.resize(kArchiveBlockSize);
    qint64 got = 0;
    while (got < kArchiveBlockSize) {
        const qint64 n = file.read(raw.data() + got, kArchiveBlockSize - got);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += n;
    }
    raw.truncate(int(got));
    return true;
}

class ArchiveWriter {
public:
    ArchiveWriter(TOrbBackupFile &owner, const QString &archiveName)
        : m_owner(owner), m_archiveName(archiveName),
          m_queue(owner.WorkerThreads()),
          m_inFlight(owner.WorkerThreads() == 0 ? 1 : 2 * owner.WorkerThreads() + 2),
          m_level(owner.ZlibLevel())
    {
    }

    bool run(const QStringList &files);
    int error() const { return m_error; }

private:
    bool writeFileList(const QStringList &files, QTemporaryFile &list);
    bool writeHeader(qint32 fileCount);
    bool packFile(const QString &path, const QString &shownName, bool isList);
    bool packSegments(QFile &file, const QString &shownName);
    bool nextVolume();
    bool fail(int error)
    {
        if (!m_error)
            m_error = error;
        return false;
    }

    TOrbBackupFile &m_owner;
    QString m_archiveName;
    OrderedWorkQueue<ArchiveBlock> m_queue;
    int m_inFlight;
    int m_level;
    VolumeOutput m_out;
    int m_volume = 0;
    qint64 m_total = 0;
    qint64 m_done = 0;
    int m_error = 0;
};

bool ArchiveWriter::writeFileList(const QStringList &files, QTemporaryFile &list)
{
    const QString tempDir = TempDir.isEmpty() ? QDir::tempPath() : TempDir;
    list.setFileTemplate(QDir(tempDir).filePath(QStringLiteral("FIDXXXXXX")));
    if (!list.open())
        return false;
    QByteArray text;
    for (const QString &path : files) {
        const QFileInfo info(path);
        text += ToGbk(path) + '\t' + QByteArray::number(PackDosDateTime(info.lastModified()))
                + '=' + QByteArray::number(info.size()) + "\r\n";
    }
    if (list.write(text) != text.size() || !list.flush())
        return false;
    list.seek(0);
    m_total += text.size();
    return true;
}

bool ArchiveWriter::writeHeader(qint32 fileCount)
{
    const QByteArray title = ToGbk(m_owner.BackupTitle);
    // The total is for progress only; larger sums keep their low 32 bits.
    return m_out.writeInt(title.size()) && m_out.write(title)
           && m_out.writeInt(qint32(quint32(quint64(m_total)))) && m_out.writeInt(fileCount);
}

bool ArchiveWriter::run(const QStringList &files)
{
    QStringList existing;
    for (const QString &path : files) {
        const QFileInfo info(path);
        if (info.exists()) {
            existing << path;
            m_total += info.size();
        }
    }
    QTemporaryFile list;
    if (m_owner.SaveFileID && !writeFileList(existing, list))
        return fail(beCannotCreateTemp);
    if (!m_out.create(m_archiveName) || !writeHeader(qint32(existing.size())))
        return fail(beCannotWriteArchive);
    if (m_owner.SaveFileID && !packFile(list.fileName(), QString(), true))
        return false;
    for (const QString &path : std::as_const(existing)) {
        if (!QFileInfo::exists(path))
            continue;
        if (!packFile(path, path, false))
            return false;
        if (m_owner.SetArchiveFlag)
            ClearArchiveAttribute(path);
    }
    if (!m_out.writeInt(0) || !m_out.close())
        return fail(beCannotWriteArchive);
    m_owner.Progress(QString(), 1, 1);
    return true;
}

bool ArchiveWriter::packFile(const QString &path, const QString &shownName, bool isList)
{
    const QByteArray name = isList ? kFileListName : ToGbk(path);
    if (!isList && FromGbk(name) != path)
        return fail(beCannotReadFile);   // the name has no GBK form
    if (!m_out.writeInt(name.size()) || !m_out.write(name))
        return fail(beCannotWriteArchive);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(beCannotReadFile);
    if (!m_out.writeInt(PackDosDateTime(QFileInfo(file).lastModified())))
        return fail(beCannotWriteArchive);
    return packSegments(file, shownName);
}

bool ArchiveWriter::packSegments(QFile &file, const QString &shownName)
{
    bool atEnd = false;
    bool readError = false;
    const int level = m_level;
    auto refill = [&] {
        while (!atEnd && m_queue.pending() < m_inFlight) {
            QByteArray raw;
            if (!ReadBlock(file, raw)) {
                readError = atEnd = true;
                break;
            }
            if (raw.size() < kArchiveBlockSize)
                atEnd = true;
            if (!raw.isEmpty())
                m_queue.submit([raw, level] { return CompressBlock(raw, level); });
        }
    };
    refill();
    for (;;) {
        if (!m_out.write(kSegmentSignature))
            return fail(beCannotWriteArchive);
        while (m_queue.pending() > 0) {
            if (m_owner.MaxSize > 0 && m_out.position() >= m_owner.MaxSize - kVolumeMargin)
                break;
            const ArchiveBlock block = m_queue.take();
            refill();
            if (!block.ok)
                return fail(beCompression);
            const qint32 length = block.stored ? -block.bytes.size() : block.bytes.size();
            if (!m_out.writeInt(length) || !m_out.write(block.bytes))
                return fail(beCannotWriteArchive);
            m_done += block.rawSize;
            if (!m_owner.Progress(shownName, m_done, m_total)) {
                m_out.close();
                return false;
            }
        }
        if (readError)
            return fail(beCannotReadFile);
        if (!m_out.writeInt(0))
            return fail(beCannotWriteArchive);
        if (m_queue.pending() == 0)
            return true;
        if (!nextVolume())
            return false;
    }
}

bool ArchiveWriter::nextVolume()
{
    ++m_volume;
    const QByteArray marker = kNextDiskName + VolumeDigits(m_volume).toLatin1();
    if (!m_out.writeInt(marker.size()) || !m_out.write(marker) || !m_out.close())
        return fail(beCannotWriteArchive);
    if (!m_owner.NeedDisk(m_volume)) {
        return false;
    }
    if (!m_out.create(VolumeName(m_archiveName, m_volume)))
        return fail(beCannotWriteArchive);
    return true;
}

} // namespace

bool TOrbBackupFile::Backup(const QString &source, const QString &archiveName,
                            bool wholeDirectory)
{
    m_lastError = 0;
    // A missing directory is a failure, not an empty archive.
    if (wholeDirectory && !QFileInfo(source).isDir()) {
        ReportError(beCannotReadFile);
        return false;
    }
    // A volume must hold at least one block after its segment signature, or
    // the archive would go on into new volumes without end.
    if (MaxSize > 0 && MaxSize <= kVolumeMargin + 4) {
        ReportError(beCannotWriteArchive);
        return false;
    }
    const QStringList files = CollectFiles(source, archiveName, wholeDirectory);
    ArchiveWriter writer(*this, archiveName);
    if (writer.run(files))
        return true;
    if (writer.error())
        ReportError(writer.error());
    return false;
}

} // namespace Orb
