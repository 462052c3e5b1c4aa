#include "ArchiveTestUtil.h"

#include "data/DialogRunner.h"
#include "data/Gbk.h"
#include "data/TestSupport.h"
#include "maintenance/ArchiveFormat.h"
#include "maintenance/OrbBackupFile.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace Orb;
using namespace ArchiveTest;

namespace {

// A component whose errors are recorded instead of shown.
struct Archiver : TOrbBackupFile {
    QStringList errors;
    QList<int> disks;
    explicit Archiver(int threads = 1)
    {
        Threads = threads;
        OnError = [this](TOrbBackupFile *, int, const QString &text) { errors << text; };
        OnNeedDisk = [this](TOrbBackupFile *, int disk, bool &) { disks << disk; };
    }
};

QStringList DirEntries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                               QDir::Name);
}

} // namespace

class TestOrbBackupFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString path(const QString &name) const { return m_tmp.filePath(name); }
    QString freshDir(const QString &name)
    {
        QDir(path(name)).removeRecursively();
        QDir().mkpath(path(name));
        return path(name);
    }

private slots:
    void emptyDirectoryGivesSixteenBytes()
    {
        const QString src = freshDir("empty");
        Archiver a;
        QVERIFY(a.Backup(src, path("empty.arc"), true));
        QCOMPARE(ReadFile(path("empty.arc")), QByteArray(16, '\0'));
        QVERIFY(a.errors.isEmpty());
    }

    void smallArchiveBytes()
    {
        const QString src = freshDir("small");
        QVERIFY(WriteFile(src + "/hello.txt", "hello"));
        Archiver a;
        QVERIFY(a.Backup(src, path("small.arc"), true));
        const QByteArray name = ToGbk(src + "/hello.txt");
        QByteArray expected;
        expected += Int32(0) + Int32(5) + Int32(1);                     // title, total, count
        expected += Int32(name.size()) + name;                          // entry name
        expected += QByteArray::fromHex("8f526558");                     // 2024-03-05 10:20:30
        expected += QByteArray("EC2\0", 4);                             // segment
        expected += Int32(13) + QByteArray::fromHex("7801cb48cdc9c90700062c0215");
        expected += Int32(0);                                           // end of segment
        expected += Int32(0);                                           // end mark
        QCOMPARE(ReadFile(path("small.arc")).toHex(), expected.toHex());
    }

    void blockSplitting_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("random");
        QTest::addColumn<QList<qint32>>("stored");   // lengths of stored blocks, 0: compressed
        QTest::newRow("empty file") << 0 << false << QList<qint32>{};
        QTest::newRow("16384 text") << 16384 << false << QList<qint32>{0};
        QTest::newRow("16385 text") << 16385 << false << QList<qint32>{0, 0};
        // A full block of random bytes does not compress into one block and
        // is stored; a short last block fits even when it grows a little.
        QTest::newRow("random 40000") << 40000 << true << QList<qint32>{-16384, -16384, 0};
        QTest::newRow("random 16385") << 16385 << true << QList<qint32>{-16384, 0};
    }

    void blockSplitting()
    {
        QFETCH(int, size);
        QFETCH(bool, random);
        QFETCH(QList<qint32>, stored);
        const QString src = freshDir("split");
        const QByteArray data = random ? RandomBytes(size, 7) : TextBytes(size);
        QVERIFY(WriteFile(src + "/f.bin", data));
        Archiver a;
        QVERIFY(a.Backup(src, path("split.arc"), true));
        const Walk w = WalkArchive(ReadFile(path("split.arc")));
        QVERIFY(w.ok);
        QCOMPARE(w.total, size);
        QCOMPARE(w.entries.size(), 1);
        QCOMPARE(w.entries[0].segments.size(), 1);
        const QList<qint32> blocks = w.entries[0].segments[0];
        QCOMPARE(blocks.size(), stored.size());
        for (int i = 0; i < blocks.size(); ++i) {
            if (stored[i] == 0)
                QVERIFY2(blocks[i] > 0, "compressed block expected");
            else
                QCOMPARE(blocks[i], stored[i]);
        }
        const QString out = freshDir("split-out");
        QVERIFY(a.Restore(path("split.arc"), out));
        QCOMPARE(ReadFile(out + "/f.bin"), data);
        QCOMPARE(QFileInfo(out + "/f.bin").lastModified(),
                 QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)));
    }

    void levelNoneStoresEveryBlock()
    {
        const QString src = freshDir("none");
        QVERIFY(WriteFile(src + "/t.txt", TextBytes(20000)));
        Archiver a;
        a.CompressionLevel = clNone;
        QVERIFY(a.Backup(src, path("none.arc"), true));
        const Walk w = WalkArchive(ReadFile(path("none.arc")));
        const QList<qint32> blocks = w.entries[0].segments[0];
        QCOMPARE(blocks.size(), 2);
        QCOMPARE(blocks[0], -16384);
        QVERIFY(blocks[1] > 3616);   // a stored zlib stream is larger than its data
    }

    void parallelWritesTheSameBytes()
    {
        const QString src = freshDir("mixed");
        QVERIFY(WriteFile(src + "/a.txt", TextBytes(300000)));
        QVERIFY(WriteFile(src + "/b.bin", RandomBytes(100000, 3)));
        QVERIFY(WriteFile(src + "/c.zero", QByteArray(16384 * 5, '\0')));
        QVERIFY(WriteFile(src + "/d.empty", QByteArray()));
        QVERIFY(WriteFile(src + "/e.one", "x"));
        for (qint64 maxSize : {qint64(0), qint64(60000)}) {
            QByteArray serialBytes;
            for (int threads : {1, 2, 4}) {
                const QString arc = path(QStringLiteral("par%1.arc").arg(threads));
                Archiver a(threads);
                a.MaxSize = maxSize;
                QVERIFY(a.Backup(src, arc, true));
                QByteArray all;
                for (int v = 0; QFileInfo::exists(VolumeName(arc, v)); ++v)
                    all += ReadFile(VolumeName(arc, v)) + "|";
                if (threads == 1)
                    serialBytes = all;
                else
                    QCOMPARE(all, serialBytes);
                const QString out = freshDir("par-out");
                Archiver r(threads);
                QVERIFY(r.Restore(arc, out));
                QCOMPARE(ReadFile(out + "/a.txt"), ReadFile(src + "/a.txt"));
                QCOMPARE(ReadFile(out + "/b.bin"), ReadFile(src + "/b.bin"));
                QCOMPARE(ReadFile(out + "/c.zero"), ReadFile(src + "/c.zero"));
                QCOMPARE(ReadFile(out + "/d.empty"), QByteArray());
                QCOMPARE(ReadFile(out + "/e.one"), QByteArray("x"));
            }
        }
    }

    void multiVolumeRestoresByteForByte()
    {
        const QString src = freshDir("vol");
        const QByteArray big = RandomBytes(120000, 11);
        QVERIFY(WriteFile(src + "/big.bin", big));
        QVERIFY(WriteFile(src + "/z.txt", TextBytes(5000)));
        const qint64 limit = 50000;
        const QString arc = path("vol.bak");
        Archiver a(2);
        a.MaxSize = limit;
        QVERIFY(a.Backup(src, arc, true));
        QCOMPARE(a.disks, (QList<int>{1, 2}));
        QVERIFY(QFileInfo::exists(path("vol.001")));
        QVERIFY(QFileInfo::exists(path("vol.002")));
        QVERIFY(!QFileInfo::exists(path("vol.003")));

        // Volume 0 ends its segment at the first block boundary at or past
        // limit - 16484, then carries the marker of volume 1.
        const QByteArray v0 = ReadFile(arc);
        const Walk w = WalkArchive(v0);
        QCOMPARE(w.entries.size(), 2);
        QCOMPARE(w.entries[1].name, QByteArray("NEXT:DISK001"));
        const qint64 segmentEnd = v0.size() - 4 - 12 - 4;
        QVERIFY(segmentEnd >= limit - kVolumeMargin);
        QVERIFY(segmentEnd - 4 - 16384 < limit - kVolumeMargin);
        QCOMPARE(ReadFile(path("vol.001")).left(4), QByteArray("EC2\0", 4));

        const QString out = freshDir("vol-out");
        Archiver r(2);
        QVERIFY(r.Restore(arc, out));
        QCOMPARE(r.disks, (QList<int>{1, 2}));
        QCOMPARE(ReadFile(out + "/big.bin"), big);
        QCOMPARE(ReadFile(out + "/z.txt"), TextBytes(5000));

        // A missing volume that the user does not supply stops the restore.
        QFile::remove(path("vol.002"));
        Archiver cancel(2);
        cancel.OnNeedDisk = [](TOrbBackupFile *, int, bool &go) { go = false; };
        const QString out2 = freshDir("vol-out2");
        QVERIFY(!cancel.Restore(arc, out2));
        QVERIFY(cancel.errors.isEmpty());
        QVERIFY(!QFileInfo::exists(out2 + "/big.bin"));
    }

    void restoreModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("rmAll") << int(rmAll) << QStringList{"missing", "newer", "older"};
        QTest::newRow("rmNoOverwrite") << int(rmNoOverwrite) << QStringList{"missing"};
        QTest::newRow("rmNewer") << int(rmNewer) << QStringList{"missing", "older"};
        QTest::newRow("rmExisting") << int(rmExisting) << QStringList{"newer", "older"};
        QTest::newRow("rmExistingNewer") << int(rmExistingNewer) << QStringList{"older"};
    }

    void restoreModes()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, written);
        const QDateTime stamp(QDate(2024, 3, 5), QTime(10, 20, 30));
        const QString src = freshDir("modes");
        for (const char *name : {"missing", "newer", "older"})
            QVERIFY(WriteFile(src + "/" + name, "archived", stamp));
        Archiver a;
        QVERIFY(a.Backup(src, path("modes.arc"), true));
        const QString out = freshDir("modes-out");
        QVERIFY(WriteFile(out + "/older", "local", stamp.addDays(-1)));
        QVERIFY(WriteFile(out + "/newer", "local", stamp.addDays(1)));
        a.RestoreMode = TRestoreMode(mode);
        QVERIFY(a.Restore(path("modes.arc"), out));
        QStringList got;
        for (const char *name : {"missing", "newer", "older"}) {
            if (ReadFile(out + "/" + name) == "archived")
                got << name;
        }
        QCOMPARE(got, written);
        QVERIFY(a.errors.isEmpty());
        QCOMPARE(DirEntries(out).size(), written.contains("missing") ? 3 : 2);
    }

    void noOverwriteOverExistingWritesNothing()
    {
        const QString src = freshDir("now");
        QVERIFY(WriteFile(src + "/a", "new a"));
        QVERIFY(WriteFile(src + "/b", "new b"));
        Archiver a;
        QVERIFY(a.Backup(src, path("now.arc"), true));
        const QString out = freshDir("now-out");
        const QDateTime old(QDate(2020, 1, 1), QTime(8, 0));
        QVERIFY(WriteFile(out + "/a", "old a", old));
        QVERIFY(WriteFile(out + "/b", "old b", old));
        a.RestoreMode = rmNoOverwrite;
        QStringList asked;
        a.OnRestoreFile = [&](TOrbBackupFile *, QString &name, qint32, bool &doRestore) {
            asked << QFileInfo(name).fileName() + (doRestore ? "+" : "-");
        };
        QVERIFY(a.Restore(path("now.arc"), out));
        QCOMPARE(asked, (QStringList{"a-", "b-"}));
        QCOMPARE(ReadFile(out + "/a"), QByteArray("old a"));
        QCOMPARE(ReadFile(out + "/b"), QByteArray("old b"));
        QCOMPARE(QFileInfo(out + "/a").lastModified(), old);
        QCOMPARE(DirEntries(out), (QStringList{"a", "b"}));
    }

    void restoreHooksRenameAndSeeTheData()
    {
        const QString src = freshDir("hooks");
        QVERIFY(WriteFile(src + "/a.txt", "alpha"));
        Archiver a;
        QVERIFY(a.Backup(src, path("hooks.arc"), true));
        const QString out = freshDir("hooks-out");
        a.OnRestoreFile = [](TOrbBackupFile *, QString &name, qint32 date, bool &) {
            QCOMPARE(date, qint32(0x5865528F));
            name += ".restored";
        };
        qint64 seenSize = -1;
        a.OnFileRestored = [&](TOrbBackupFile *, QString &name, QIODevice *stream) {
            QVERIFY(name.endsWith("a.txt.restored"));
            seenSize = stream->size();
        };
        QVERIFY(a.Restore(path("hooks.arc"), out));
        QCOMPARE(seenSize, 5);
        QCOMPARE(DirEntries(out), QStringList{"a.txt.restored"});
    }

    void namesKeepTheirCaseAndAreGbk()
    {
        const QString src = freshDir("case");
        QVERIFY(WriteFile(src + "/BX模板A.rpt", "upper"));
        QVERIFY(WriteFile(src + "/bx模板a.rpt", "lower"));
        Archiver a;
        QVERIFY(a.Backup(src, path("case.arc"), true));
        const QByteArray bytes = ReadFile(path("case.arc"));
        QVERIFY(bytes.contains(ToGbk(src + "/BX模板A.rpt")));
        QVERIFY(bytes.contains(ToGbk(src + "/bx模板a.rpt")));
        const QString out = freshDir("case-out");
        QVERIFY(a.Restore(path("case.arc"), out));
        QCOMPARE(ReadFile(out + "/BX模板A.rpt"), QByteArray("upper"));
        QCOMPARE(ReadFile(out + "/bx模板a.rpt"), QByteArray("lower"));
        QList<TArchiveEntry> listed;
        QVERIFY(a.List(path("case.arc"), &listed));
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed[0].Name, src + "/BX模板A.rpt");
        QCOMPARE(listed[0].Size, 5);
    }

    void fileListEntry()
    {
        const QString src = freshDir("fid");
        QVERIFY(WriteFile(src + "/a.db", "12345"));
        QVERIFY(WriteFile(src + "/b.db", "xy"));
        Archiver a;
        a.SaveFileID = true;
        QVERIFY(a.Backup(src, path("fid.arc"), true));
        const QByteArray expectedList = ToGbk(src) + "/a.db\t1483035279=5\r\n" + ToGbk(src)
                                        + "/b.db\t1483035279=2\r\n";
        const Walk w = WalkArchive(ReadFile(path("fid.arc")));
        QVERIFY(w.ok);
        QCOMPARE(w.count, 2);
        QCOMPARE(w.total, 7 + expectedList.size());
        QCOMPARE(w.entries.size(), 3);
        QCOMPARE(w.entries[0].name, QByteArray("FILE:LIST"));
        QList<TArchiveEntry> listed;
        QVERIFY(a.List(path("fid.arc"), &listed));
        QCOMPARE(listed[0].Size, expectedList.size());
        const QString out = freshDir("fid-out");
        QVERIFY(a.Restore(path("fid.arc"), out));
        QCOMPARE(DirEntries(out), (QStringList{"a.db", "b.db"}));
    }

    void filePatternWithSubdirectories()
    {
        const QString src = freshDir("pattern");
        QDir().mkpath(src + "/sub");
        QVERIFY(WriteFile(src + "/a.DB", "a"));
        QVERIFY(WriteFile(src + "/b.txt", "b"));
        QVERIFY(WriteFile(src + "/sub/c.DB", "c"));
        TOrbBackupFile a;
        QCOMPARE(a.CollectFiles(src + "/*.DB", path("x.arc"), false),
                 QStringList{src + "/a.DB"});
        QCOMPARE(a.CollectFiles(src + "/*.DB /s", path("x.arc"), false),
                 (QStringList{src + "/a.DB", src + "/sub/c.DB"}));
        // The archive itself is never packed, subdirectories are not entered.
        QCOMPARE(a.CollectFiles(src, src + "/a.DB", true), QStringList{src + "/b.txt"});
    }

    void stoppingThroughProgress()
    {
        const QString src = freshDir("stop");
        QVERIFY(WriteFile(src + "/a.txt", TextBytes(100000)));
        Archiver a;
        QList<int> percents;
        a.OnProgress = [&](TOrbBackupFile *, const QString &, int percent, bool &go) {
            percents << percent;
            go = percents.size() < 3;
        };
        QVERIFY(!a.Backup(src, path("stop.arc"), true));
        QCOMPARE(percents, (QList<int>{16, 32, 49}));
        QVERIFY(a.errors.isEmpty());
        QVERIFY(QFileInfo::exists(path("stop.arc")));
    }

    void incrementalPacksChangedFiles()
    {
        const QString src = freshDir("incr");
        QVERIFY(WriteFile(src + "/a", "a"));
        QVERIFY(WriteFile(src + "/b", "b"));
        Archiver a;
        a.SetBackupMode(bmIncremental);
        QVERIFY(a.SetArchiveFlag);
        QVERIFY(a.Backup(src, path("incr1.arc"), true));
        if (a.CollectFiles(src, path("x"), true).size() == 2)
            QSKIP("the file system keeps no user extended attributes");
        QCOMPARE(WalkArchive(ReadFile(path("incr1.arc"))).count, 2);
        QVERIFY(WriteFile(src + "/b", "b changed", QDateTime::currentDateTime()));
        QVERIFY(a.Backup(src, path("incr2.arc"), true));
        const Walk w = WalkArchive(ReadFile(path("incr2.arc")));
        QCOMPARE(w.count, 1);
        QCOMPARE(w.entries[0].name, ToGbk(src + "/b"));
    }

    void errorsGoToTheErrorBoxWithoutHandler()
    {
        RecordingMessageSink sink;
        TOrbBackupFile a;
        QVERIFY(!a.Restore(path("does-not-exist.arc"), freshDir("x")));
        QCOMPARE(sink.texts(), QStringList{QStringLiteral("不能读备份的文件")});
        QCOMPARE(sink.entries[0].kind, RecordingMessageSink::Error);
        QCOMPARE(a.LastError(), 3);
    }

    void missingDirectory()
    {
        Archiver a;
        QVERIFY(!a.Backup(path("no-such-dir"), path("missing.arc"), true));
        QCOMPARE(a.errors, QStringList{QStringLiteral("不能读文件")});
        QVERIFY(!QFileInfo::exists(path("missing.arc")));
    }

    void volumeTooSmallForABlock()
    {
        const QString src = freshDir("tiny");
        QVERIFY(WriteFile(src + "/r.bin", RandomBytes(40000, 1)));
        Archiver a;
        a.MaxSize = kVolumeMargin + 4;
        QVERIFY(!a.Backup(src, path("tiny.bak"), true));
        QCOMPARE(a.errors, QStringList{QStringLiteral("不能写备份的文件")});
        a.errors.clear();
        a.MaxSize = kVolumeMargin + 5;   // one block per volume
        QVERIFY(a.Backup(src, path("tiny.bak"), true));
        QCOMPARE(a.disks, (QList<int>{1, 2, 3}));
        const QString out = freshDir("tiny-out");
        QVERIFY(a.Restore(path("tiny.bak"), out));
        QCOMPARE(ReadFile(out + "/r.bin"), RandomBytes(40000, 1));
    }

    void cannotWriteArchive()
    {
        const QString src = freshDir("nowrite");
        QVERIFY(WriteFile(src + "/a", "a"));
        Archiver a;
        QVERIFY(!a.Backup(src, path("no/such/dir/x.arc"), true));
        QCOMPARE(a.errors, QStringList{QStringLiteral("不能写备份的文件")});
    }

    void volumeNames_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << "/b/x.bak" << 0 << "/b/x.bak";
        QTest::newRow("second") << "/b/x.bak" << 1 << "/b/x.001";
        QTest::newRow("no extension") << "/b.d/x" << 2 << "/b.d/x.002";
        QTest::newRow("beyond 999") << "/b/x.bak" << 1001 << "/b/x.001";
        QTest::newRow("time stamp name")
            << QStringLiteral("/b/公司出纳记账单机版2024-03-05 10.30备份文件") << 1
            << QStringLiteral("/b/公司出纳记账单机版2024-03-05 10.001");
    }

    void volumeNames()
    {
        QFETCH(QString, archive);
        QFETCH(int, volume);
        QFETCH(QString, name);
        QCOMPARE(VolumeName(archive, volume), name);
    }

    void diskQuestionWithoutHandler()
    {
        const QString src = freshDir("ask");
        QVERIFY(WriteFile(src + "/r.bin", RandomBytes(60000, 9)));
        QStringList asked;
        QList<int> answers{QMessageBox::Ok, QMessageBox::Cancel};
        ScopedDialogHandler handler([&](QDialog *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            asked << box->windowTitle() + "|" + box->text();
            return answers.takeFirst();
        });
        TOrbBackupFile a;
        a.Threads = 1;
        a.MaxSize = 20000;
        QVERIFY(!a.Backup(src, path("ask.bak"), true));   // cancelled at the second disk
        QCOMPARE(asked, (QStringList{
            QStringLiteral("提示信息|请插入一个空白的磁盘1并且按《确定》按钮继续。"),
            QStringLiteral("提示信息|请插入一个空白的磁盘2并且按《确定》按钮继续。")}));
        QCOMPARE(a.LastError(), 0);
        QVERIFY(QFileInfo::exists(path("ask.001")));
        QVERIFY(!QFileInfo::exists(path("ask.002")));

        // Restoring asks only for volumes that are not beside the first one.
        asked.clear();
        answers = {QMessageBox::Cancel};
        QVERIFY(!a.Restore(path("ask.bak"), freshDir("ask-out")));
        QCOMPARE(asked, QStringList{
            QStringLiteral("提示信息|请插入一个空白的磁盘2并且按《确定》按钮继续。")});
    }

    void nameWithoutGbkForm()
    {
        const QString src = freshDir("nogbk");
        QVERIFY(WriteFile(src + QStringLiteral("/表情😀.txt"), "x"));
        Archiver a;
        QVERIFY(!a.Backup(src, path("nogbk.arc"), true));
        QCOMPARE(a.errors, QStringList{QStringLiteral("不能读文件")});
    }

    void unreadableFile()
    {
        const QString src = freshDir("noread");
        QVERIFY(WriteFile(src + "/a", "a"));
        QFile::setPermissions(src + "/a", QFileDevice::WriteOwner);
        if (QFile(src + "/a").open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file");
        Archiver a;
        QVERIFY(!a.Backup(src, path("noread.arc"), true));
        QCOMPARE(a.errors, QStringList{QStringLiteral("不能读文件")});
    }
};

QTEST_MAIN(TestOrbBackupFile)
#include "tst_OrbBackupFile.moc"
