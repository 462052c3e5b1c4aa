// Archives and restores a generated directory of mixed files (a real SQLite
// database with journal rows, random files, text files) serially and on all
// cores, checks that both archives are identical and restore byte for byte,
// and measures gzip -1 / gunzip on the same bytes in the same run.
//
//   bench_archive [MiB] [work directory] [rounds]   (default 512 MiB under /tmp, 3)
//
// Each figure is the best of the rounds; cpu is the process time of that run
// (above the wall time when the blocks were compressed on several cores).

#include "maintenance/OrbBackupFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

using namespace Orb;

namespace {

constexpr qint64 kMiB = 1024 * 1024;

void WriteJournalDatabase(const QString &path, qint64 bytes)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec("PRAGMA journal_mode=OFF");
        q.exec("CREATE TABLE ORB_MONEY_INTO_OUT_TABLE (MONEY_ID VARCHAR(16) PRIMARY KEY, "
               "MONEY_DATE DATE, MONEY_TYPE_ID VARCHAR(16), MONEY_ACCOUNT_ID VARCHAR(16), "
               "MONEY_INTO DOUBLE PRECISION, MONEY_OUT DOUBLE PRECISION, "
               "NOTE VARCHAR(120), STATUS VARCHAR(10), CREATE_NAME VARCHAR(10))");
        db.transaction();
        q.prepare("INSERT INTO ORB_MONEY_INTO_OUT_TABLE VALUES (?,?,?,?,?,?,?,?,?)");
        QRandomGenerator random(42);
        const QStringList notes{QStringLiteral("支付办公用品费用"), QStringLiteral("收到货款"),
                                QStringLiteral("报销差旅费"), QStringLiteral("银行手续费"),
                                QStringLiteral("提取备用金")};
        for (qint64 row = 0; QFileInfo(path).size() < bytes || row % 10000 != 0; ++row) {
            const QDate date = QDate(2020, 1, 1).addDays(int(row / 400));
            q.addBindValue(date.toString("yyyyMM") + QString::number(row).rightJustified(10, '0'));
            q.addBindValue(date.toString(Qt::ISODate));
            q.addBindValue(QStringLiteral("G001%1").arg(random.bounded(1, 40), 3, 10, QChar('0')));
            q.addBindValue(QStringLiteral("G001%1").arg(random.bounded(1, 6), 3, 10, QChar('0')));
            q.addBindValue(random.bounded(2) ? random.bounded(100000) / 100.0 : 0.0);
            q.addBindValue(random.bounded(2) ? random.bounded(100000) / 100.0 : 0.0);
            q.addBindValue(notes[random.bounded(notes.size())] + QString::number(row % 97));
            q.addBindValue(random.bounded(3) ? QStringLiteral("已审核") : QStringLiteral("未审核"));
            q.addBindValue(QStringLiteral("张三"));
            q.exec();
            if (row % 50000 == 49999) {
                db.commit();
                db.transaction();
            }
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("bench");
}

void WriteRandomFile(const QString &path, qint64 bytes, quint32 seed)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QRandomGenerator random(seed);
    QByteArray chunk(int(kMiB), Qt::Uninitialized);
    for (qint64 done = 0; done < bytes; done += chunk.size()) {
        random.fillRange(reinterpret_cast<quint32 *>(chunk.data()), chunk.size() / 4);
        f.write(chunk.constData(), std::min<qint64>(chunk.size(), bytes - done));
    }
}

void WriteTextFile(const QString &path, qint64 bytes, quint32 seed)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QRandomGenerator random(seed);
    QByteArray block;
    while (f.size() + block.size() < bytes) {
        block += QStringLiteral("%1 凭证%2 %3 金额 %4.%5 元 摘要：往来款项结算\r\n")
                     .arg(QDate(2024, 1, 1).addDays(random.bounded(365)).toString(Qt::ISODate))
                     .arg(random.bounded(100000))
                     .arg(random.bounded(2) ? QStringLiteral("收入") : QStringLiteral("支出"))
                     .arg(random.bounded(100000))
                     .arg(random.bounded(100), 2, 10, QChar('0'))
                     .toUtf8();
        if (block.size() > kMiB) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block.left(int(bytes - f.size())));
}

qint64 DirectorySize(const QString &dir)
{
    qint64 total = 0;
    for (const QFileInfo &info : QDir(dir).entryInfoList(QDir::Files))
        total += info.size();
    return total;
}

QByteArray DirectoryHash(const QString &dir)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QFileInfo &info : QDir(dir).entryInfoList(QDir::Files, QDir::Name)) {
        QFile f(info.filePath());
        f.open(QIODevice::ReadOnly);
        hash.addData(info.fileName().toUtf8());
        hash.addData(&f);
    }
    return hash.result().toHex().left(16);
}

QByteArray FileHash(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&f);
    return hash.result().toHex().left(16);
}

double Seconds(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e9;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &tv) { return tv.tv_sec + tv.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
    double wall = 0;
    double cpu = 0;
    void keepBest(const Timing &t)
    {
        if (wall == 0 || t.wall < wall)
            *this = t;
    }
};

// Wall and CPU time of one run, started after the disk is quiet.
template <typename F>
Timing Measure(F &&run)
{
    QProcess::execute(QStringLiteral("sync"), {});
    QElapsedTimer t;
    const double cpu = CpuSeconds();
    t.start();
    run();
    return {Seconds(t), CpuSeconds() - cpu};
}

// gzip -1 each file into the directory, or gunzip the .gz files back.
double TimeShell(const QString &script)
{
    QElapsedTimer t;
    t.start();
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), script});
    return Seconds(t);
}

void Line(const char *what, double seconds, qint64 bytes, qint64 output, double cpu = -1)
{
    std::printf("%-24s %7.2f s %8.1f MB/s  output %7.1f MiB", what, seconds,
                bytes / 1e6 / seconds, output / double(kMiB));
    if (cpu >= 0)
        std::printf("  cpu %6.2f s", cpu);
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 total = (argc > 1 ? QByteArray(argv[1]).toLongLong() : 512) * kMiB;
    const int rounds = argc > 3 ? std::max(1, atoi(argv[3])) : 3;
    QTemporaryDir work(argc > 2 && argv[2][0] ? QString::fromLocal8Bit(argv[2]) + "/bench-XXXXXX"
                                              : QDir::tempPath() + "/bench-archive-XXXXXX");
    const QString src = work.filePath("data");
    QDir().mkpath(src);

    std::printf("generating %lld MiB of mixed files in %s ...\n", total / kMiB,
                qPrintable(src));
    WriteJournalDatabase(src + "/OrbCashier.db", total * 4 / 10);
    const qint64 rest = total - QFileInfo(src + "/OrbCashier.db").size();
    for (int i = 0; i < 4; ++i)
        WriteRandomFile(src + QStringLiteral("/picture%1.bin").arg(i), rest / 3 / 4, 100 + i);
    for (int i = 0; i < 8; ++i)
        WriteTextFile(src + QStringLiteral("/report%1.txt").arg(i), rest * 2 / 3 / 8, 200 + i);
    const qint64 bytes = DirectorySize(src);
    std::printf("%lld bytes in %d files (database %lld bytes), %d hardware threads\n\n",
                bytes, int(QDir(src).entryList(QDir::Files).size()),
                QFileInfo(src + "/OrbCashier.db").size(), QThread::idealThreadCount());

    const QString serialArc = work.filePath("serial.bak");
    const QString parallelArc = work.filePath("parallel.bak");
    TOrbBackupFile serial;
    serial.Threads = 1;
    TOrbBackupFile parallel;
    parallel.Threads = 0;
    // Best of the rounds, serial and parallel taking turns, so that a busy
    // machine disturbs both alike.
    Timing backupSerial, backupParallel, restoreSerial, restoreParallel;
    const QByteArray sourceHash = DirectoryHash(src);
    bool restored = true;
    auto restoreOnce = [&](TOrbBackupFile &archive, const QString &arc, Timing &best) {
        const QString out = work.filePath("restore");
        QDir().mkpath(out);
        best.keepBest(Measure([&] { archive.Restore(arc, out); }));
        restored = restored && DirectoryHash(out) == sourceHash;
        QDir(out).removeRecursively();
    };
    for (int round = 0; round < rounds; ++round) {
        backupSerial.keepBest(Measure([&] { serial.Backup(src, serialArc, true); }));
        backupParallel.keepBest(Measure([&] { parallel.Backup(src, parallelArc, true); }));
        restoreOnce(serial, serialArc, restoreSerial);
        restoreOnce(parallel, parallelArc, restoreParallel);
    }
    const qint64 archiveSize = QFileInfo(parallelArc).size();
    const bool same = FileHash(serialArc) == FileHash(parallelArc);
    QFile::remove(serialArc);
    std::printf("best of %d rounds\n", rounds);

    const QString gz = work.filePath("gz");
    QDir().mkpath(gz);
    const double gzipTime = TimeShell(QStringLiteral("cd '%1' && for f in *; do gzip -1 -c \"$f\" "
                                                     "> '%2'/\"$f\".gz; done")
                                          .arg(src, gz));
    const qint64 gzSize = DirectorySize(gz);
    const double gunzipTime = TimeShell(
        QStringLiteral("cd '%1' && for f in *.gz; do gunzip -c \"$f\" > /dev/null; done").arg(gz));

    std::printf("%-24s %9s %13s\n", "", "wall", "throughput");
    Line("archive, serial", backupSerial.wall, bytes, archiveSize, backupSerial.cpu);
    Line("archive, parallel", backupParallel.wall, bytes, archiveSize, backupParallel.cpu);
    Line("gzip -1", gzipTime, bytes, gzSize);
    Line("restore, serial", restoreSerial.wall, bytes, bytes, restoreSerial.cpu);
    Line("restore, parallel", restoreParallel.wall, bytes, bytes, restoreParallel.cpu);
    Line("gunzip (to /dev/null)", gunzipTime, bytes, bytes);
    std::printf("\nparallel archive identical to serial: %s; both restores byte for byte: %s\n",
                same ? "yes" : "NO", restored ? "yes" : "NO");
    std::printf("archive speed-up on all cores: %.2fx, restore speed-up: %.2fx\n",
                backupSerial.wall / backupParallel.wall, restoreSerial.wall / restoreParallel.wall);
    std::printf("parallel archive vs gzip -1: %.2fx the speed, %.3f of its size\n",
                gzipTime / backupParallel.wall, double(archiveSize) / gzSize);
    std::printf("parallel restore vs gunzip: %.2fx the speed (restore also writes the files)\n",
                gunzipTime / restoreParallel.wall);
    return same && restored ? 0 : 1;
}
