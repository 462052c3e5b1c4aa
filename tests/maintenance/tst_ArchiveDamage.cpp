// Damaged and hostile archives: each fails with its error text, leaves the
// files in the target directory as they were and writes nothing outside it.

#include "ArchiveTestUtil.h"

#include "data/Gbk.h"
#include "maintenance/OrbBackupFile.h"

#include <QTemporaryDir>
#include <QtTest>
#include <zlib.h>

using namespace Orb;
using namespace ArchiveTest;

namespace {

const QString kInvalid = QStringLiteral("无效的备份文件");
const QString kUnreadable = QStringLiteral("不能读备份的文件");

QByteArray Zlib(const QByteArray &raw)
{
    uLongf size = compressBound(raw.size());
    QByteArray out(int(size), '\0');
    compress2(reinterpret_cast<Bytef *>(out.data()), &size,
              reinterpret_cast<const Bytef *>(raw.constData()), raw.size(), 1);
    out.truncate(int(size));
    return out;
}

QByteArray Header(int count = 1)
{
    return Int32(0) + Int32(100) + Int32(count);
}

// An entry with the name and the given blocks (positive: zlib, negative: stored).
QByteArray EntryBytes(const QByteArray &name, const QList<QByteArray> &blocks,
                      const QList<bool> &stored = {})
{
    QByteArray e = Int32(name.size()) + name + Int32(0x5865528F) + QByteArray("EC2\0", 4);
    for (int i = 0; i < blocks.size(); ++i) {
        const bool raw = i < stored.size() && stored[i];
        e += Int32(raw ? -blocks[i].size() : blocks[i].size()) + blocks[i];
    }
    return e + Int32(0);
}

struct Restored {
    bool ok;
    QStringList errors;
};

Restored RestoreBytes(const QByteArray &archive, const QString &archivePath,
                      const QString &dest)
{
    QFile file(archivePath);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(archive);
    file.close();
    TOrbBackupFile a;
    a.Threads = 2;
    Restored r{false, {}};
    a.OnError = [&](TOrbBackupFile *, int, const QString &text) { r.errors << text; };
    r.ok = a.Restore(archivePath, dest);
    return r;
}

QStringList Tree(const QString &root)
{
    QStringList names;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(root).relativeFilePath(it.next());
    names.sort();
    return names;
}

} // namespace

class TestArchiveDamage : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString root() const { return m_tmp.path(); }
    QString dest() const { return m_tmp.filePath("a/b/target"); }

    void resetTarget()
    {
        QDir(root()).removeRecursively();
        QDir().mkpath(dest());
        QVERIFY(WriteFile(dest() + "/keep.db", "old contents"));
    }

    // Everything under the root is the target directory with its old file.
    void verifyUntouched()
    {
        QCOMPARE(Tree(root()), (QStringList{"a", "a/b", "a/b/target", "a/b/target/keep.db"}));
        QCOMPARE(ReadFile(dest() + "/keep.db"), QByteArray("old contents"));
    }

private slots:
    void damaged_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<QString>("error");
        const QByteArray full(16384, 'k');
        const QByteArray good = Header() + EntryBytes("/x/keep.db", {Zlib("new contents")});
        const qint64 signatureAt = 12 + 4 + 10 + 4;

        QByteArray badSignature = good;
        badSignature[signatureAt + 2] = '3';
        QTest::newRow("bad signature") << badSignature << kInvalid;
        QTest::newRow("empty file") << QByteArray() << kUnreadable;
        QTest::newRow("truncated header") << good.left(10) << kUnreadable;
        QTest::newRow("truncated name") << good.left(20) << kUnreadable;
        QTest::newRow("truncated block") << good.left(good.size() - 12) << kUnreadable;
        QTest::newRow("no end mark") << good.left(good.size() - 4) << kUnreadable;
        QByteArray pastEnd = good;
        pastEnd.replace(signatureAt + 4, 4, Int32(9000));
        QTest::newRow("block runs past the end") << pastEnd << kUnreadable;
        QTest::newRow("absurd block length")
            << Header() + Int32(10) + "/x/keep.db" + Int32(0) + QByteArray("EC2\0", 4)
                   + Int32(0x7FFFFFF0) + QByteArray(64, 'z')
            << kInvalid;
        QTest::newRow("absurd stored length")
            << Header() + Int32(10) + "/x/keep.db" + Int32(0) + QByteArray("EC2\0", 4)
                   + Int32(-20000) + QByteArray(20000, 'z') + Int32(0) + Int32(0)
            << kInvalid;
        QTest::newRow("absurd name length") << Header() + Int32(0x7FFFFFFF) + "abc" << kInvalid;
        QTest::newRow("negative name length") << Header() + Int32(-5) + "abc" << kInvalid;
        QTest::newRow("absurd title length") << Int32(0x40000000) + "abc" << kInvalid;
        QByteArray flipped = Zlib(full);
        flipped[flipped.size() - 2] = char(flipped[flipped.size() - 2] ^ 0x55);
        QTest::newRow("zlib stream damaged")
            << Header() + EntryBytes("/x/keep.db", {flipped}) + Int32(0) << kInvalid;
        QTest::newRow("zlib stream too long")
            << Header() + EntryBytes("/x/keep.db", {Zlib(QByteArray(20000, 'k'))}) + Int32(0)
            << kInvalid;
        QTest::newRow("zlib stream with trailing bytes")
            << Header() + EntryBytes("/x/keep.db", {Zlib(full) + "junk"}) + Int32(0) << kInvalid;
        QTest::newRow("short block before another")
            << Header() + EntryBytes("/x/keep.db", {Zlib("abc"), Zlib("def")}) + Int32(0)
            << kInvalid;
        QTest::newRow("volume change outside a file")
            << Header() + Int32(12) + "NEXT:DISK001" << kInvalid;
        QTest::newRow("volume change with wrong number")
            << Header() + EntryBytes("/x/keep.db", {Zlib(full)}) + Int32(12) + "NEXT:DISK007"
            << kInvalid;
        QTest::newRow("name with ..")
            << Header() + EntryBytes("../../keep.db", {Zlib("evil")}) + Int32(0) << kInvalid;
        QTest::newRow("name ending in ..")
            << Header() + EntryBytes("/x/..", {Zlib("evil")}) + Int32(0) << kInvalid;
        QTest::newRow("backslash traversal")
            << Header() + EntryBytes("..\\..\\keep.db", {Zlib("evil")}) + Int32(0) << kInvalid;
        QTest::newRow("name ending in a separator")
            << Header() + EntryBytes("/x/dir/", {Zlib("evil")}) + Int32(0) << kInvalid;
    }

    void damaged()
    {
        QFETCH(QByteArray, archive);
        QFETCH(QString, error);
        resetTarget();
        const Restored r = RestoreBytes(archive, m_tmp.filePath("damaged.arc"), dest());
        QVERIFY(!r.ok);
        QCOMPARE(r.errors, QStringList{error});
        QFile::remove(m_tmp.filePath("damaged.arc"));
        verifyUntouched();
    }

    void traversalNeverLeavesTheTarget()
    {
        resetTarget();
        const QByteArray archive = Header(1) + EntryBytes("../../etc/x", {Zlib("evil")})
                                   + Int32(0);
        const Restored r = RestoreBytes(archive, m_tmp.filePath("t.arc"), dest());
        QVERIFY(!r.ok);
        QCOMPARE(r.errors, QStringList{kInvalid});
        QVERIFY(!QFileInfo::exists(root() + "/a/etc/x"));
        QVERIFY(!QFileInfo::exists(root() + "/etc/x"));
    }

    void absoluteNamesLandInsideTheTarget()
    {
        resetTarget();
        const QString outside = m_tmp.filePath("elsewhere");
        const QByteArray archive
            = Header(1) + EntryBytes(ToGbk(outside + "/passwd"), {Zlib("data")}) + Int32(0);
        const Restored r = RestoreBytes(archive, m_tmp.filePath("abs.arc"), dest());
        QVERIFY(r.ok);
        QCOMPARE(ReadFile(dest() + "/passwd"), QByteArray("data"));
        QVERIFY(!QFileInfo::exists(outside));
    }

    void fullPathModeWantsAnAbsoluteName()
    {
        resetTarget();
        const QString target = m_tmp.filePath("full/dir/file.txt");
        QByteArray archive
            = Header(1) + EntryBytes(ToGbk(target), {Zlib("full")}) + Int32(0);
        Restored r = RestoreBytes(archive, m_tmp.filePath("full.arc"), QString());
        QVERIFY(r.ok);
        QCOMPARE(ReadFile(target), QByteArray("full"));   // its directory was made
        archive = Header(1) + EntryBytes("relative.txt", {Zlib("rel")}) + Int32(0);
        r = RestoreBytes(archive, m_tmp.filePath("rel.arc"), QString());
        QVERIFY(!r.ok);
        QCOMPARE(r.errors, QStringList{kInvalid});
    }

    void symlinkInTargetIsReplacedNotFollowed()
    {
        resetTarget();
        const QString outside = m_tmp.filePath("outside.txt");
        QVERIFY(WriteFile(outside, "outside"));
        QVERIFY(QFile::link(outside, dest() + "/link.txt"));
        const QByteArray archive
            = Header(1) + EntryBytes("/x/link.txt", {Zlib("archived")}) + Int32(0);
        const Restored r = RestoreBytes(archive, m_tmp.filePath("l.arc"), dest());
        QVERIFY(r.ok);
        QCOMPARE(ReadFile(outside), QByteArray("outside"));
        QVERIFY(!QFileInfo(dest() + "/link.txt").isSymLink());
        QCOMPARE(ReadFile(dest() + "/link.txt"), QByteArray("archived"));
    }

    // Every truncation and every single-bit flip of a small real archive:
    // no crash, no stray file, truncations always fail.
    void truncationAndBitFlipSweep()
    {
        QDir(root()).removeRecursively();
        QDir().mkpath(root());
        const QString src = m_tmp.filePath("sweep-src");
        QDir().mkpath(src);
        QVERIFY(WriteFile(src + "/t.txt", TextBytes(20000)));
        QVERIFY(WriteFile(src + "/r.bin", RandomBytes(300, 5)));
        TOrbBackupFile writer;
        writer.Threads = 1;
        QVERIFY(writer.Backup(src, m_tmp.filePath("sweep.arc"), true));
        const QByteArray good = ReadFile(m_tmp.filePath("sweep.arc"));
        const QString out = m_tmp.filePath("sweep-out");
        const QString arc = m_tmp.filePath("sweep-case.arc");
        for (int cut = 0; cut < good.size(); ++cut) {
            QDir(out).removeRecursively();
            QDir().mkpath(out);
            const Restored r = RestoreBytes(good.left(cut), arc, out);
            QVERIFY2(!r.ok && r.errors.size() == 1, qPrintable(QString::number(cut)));
            for (const QString &name : Tree(out))
                QVERIFY2(name == "t.txt" || name == "r.bin", qPrintable(name));
        }
        for (int at = 0; at < good.size(); ++at) {
            for (int bit : {0, 7}) {
                QByteArray bad = good;
                bad[at] = char(bad[at] ^ (1 << bit));
                QDir(out).removeRecursively();
                QDir().mkpath(out);
                const Restored r = RestoreBytes(bad, arc, out);
                QVERIFY(r.ok || r.errors.size() == 1);
                // A flipped name may land under another name, never elsewhere.
                for (const QString &name : Tree(out)) {
                    QVERIFY2(!name.contains('/') && !name.startsWith(".orb-restore"),
                             qPrintable(name));
                }
            }
        }
        QCOMPARE(QDir(root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{"sweep-case.arc", "sweep-out", "sweep-src", "sweep.arc"}));
    }
};

QTEST_GUILESS_MAIN(TestArchiveDamage)
#include "tst_ArchiveDamage.moc"
