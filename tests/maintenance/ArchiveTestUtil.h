#pragma once
// Helpers for the archive tests: files with fixed dates, little-endian byte
// builders and a walker over archive bytes that is independent of the reader.

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QtEndian>

namespace ArchiveTest {

inline QByteArray Int32(qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

inline qint32 ReadInt32(const QByteArray &bytes, qint64 at)
{
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

inline bool WriteFile(const QString &path, const QByteArray &data,
                      const QDateTime &stamp = QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)))
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        return false;
    file.flush();   // a later flush would stamp the file again
    return file.setFileTime(stamp, QFileDevice::FileModificationTime);
}

inline QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline QByteArray RandomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(random.bounded(256));
    return bytes;
}

inline QByteArray TextBytes(int size)
{
    QByteArray text;
    for (int line = 0; text.size() < size; ++line)
        text += "2024-03-05 收入 现金 " + QByteArray::number(line * 37 % 1000) + " 元\r\n";
    text.truncate(size);
    return text;
}

// Entries of a one-volume archive as the bytes say, block lengths per segment.
struct Entry {
    QByteArray name;
    qint32 date = 0;
    QList<QList<qint32>> segments;
};

struct Walk {
    bool ok = false;
    qint32 total = 0;
    qint32 count = 0;
    QList<Entry> entries;
};

inline Walk WalkArchive(const QByteArray &a)
{
    Walk w;
    qint64 p = 0;
    auto need = [&](qint64 n) { return p + n <= a.size(); };
    if (!need(4))
        return w;
    const qint32 titleLength = ReadInt32(a, p);
    p += 4 + titleLength;
    if (!need(8))
        return w;
    w.total = ReadInt32(a, p);
    w.count = ReadInt32(a, p + 4);
    p += 8;
    for (;;) {
        if (!need(4))
            return w;
        const qint32 n = ReadInt32(a, p);
        p += 4;
        if (n == 0)
            break;
        Entry e;
        e.name = a.mid(p, n);
        p += n;
        if (e.name.startsWith("NEXT:DISK")) {
            w.entries << e;
            return w;   // the rest lies in the next volume
        }
        e.date = ReadInt32(a, p);
        p += 4;
        if (a.mid(p, 4) != QByteArray("EC2\0", 4))
            return w;
        p += 4;
        QList<qint32> blocks;
        for (;;) {
            const qint32 l = ReadInt32(a, p);
            p += 4;
            if (l == 0)
                break;
            blocks << l;
            p += qAbs(l);
        }
        e.segments << blocks;
        w.entries << e;
    }
    w.ok = p == a.size();
    return w;
}

} // namespace ArchiveTest
