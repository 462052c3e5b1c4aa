// Four workstations verify and un-verify entries of one account at the same
// time; afterwards every ledger row must agree with the verified journal.
#include "cashier/LedgerCheck.h"
#include "cashier/LedgerFixture.h"
#include "cashier/Posting.h"
#include "cashier/VerifyEntry.h"
#include "common/TestDb.h"
#include "data/Database.h"
#include "data/OrbFun.h"
#include "data/Settings.h"
#include "data/TestSupport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>
#include <cstdio>

using namespace Orb;
using namespace OrbTest;

namespace {

constexpr int kEntries = 12;   // few entries: the workstations often meet
constexpr int kWorkers = 4;
constexpr int kSeconds = 4;

QString RecordId(int i)
{
    return QStringLiteral("R%1").arg(i, 3, 10, QLatin1Char('0'));
}

// One workstation: its own process and connection, random entries and directions.
int RunWorker(const QStringList &args)
{
    LinkConfig link;
    const QString pg = qEnvironmentVariable("ORB_WORKER_PG");
    link = pg.isEmpty() ? LinkConfig{} : ParsePostgresLink(pg);
    if (pg.isEmpty())
        link.driver = QStringLiteral("QSQLITE");
    link.dataDir = qEnvironmentVariable("ORB_WORKER_DATA");
    Database::Open(link);
    // Opened: wait for the common start so that all four post at once.
    std::printf("ready\n");
    std::fflush(stdout);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly) || in.readLine().trimmed() != "go")
        return 3;
    LogonUserName = QStringLiteral("工作站%1").arg(args.value(0));
    WorkDate = QStringLiteral("2008-11-30");
    QRandomGenerator random(args.value(0).toUInt() * 7919u + 17u);
    RecordingMessageSink sink;
    int changed = 0;
    int refused = 0;
    const QDeadlineTimer deadline(kSeconds * 1000);
    while (!deadline.hasExpired()) {
        const QString id = RecordId(int(random.bounded(kEntries)));
        const QString status = random.bounded(2) ? kStatusVerified : kStatusUnverified;
        const VerifyResult r = VerifyEntry(id, status);
        changed += r == VerifyResult::Changed;
        refused += r == VerifyResult::Refused;
    }
    std::printf("%d %d\n", changed, refused);
    for (const QString &text : sink.texts())
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    Database::Close();
    return refused == 0 ? 0 : 1;
}

} // namespace

class TestPostingConcurrency : public QObject {
    Q_OBJECT
public:
    explicit TestPostingConcurrency(SqlEngine engine) : m_engine(engine) {}

private slots:
    void fourWorkstationsKeepTheChain()
    {
        TestDatabase db(m_engine);
        QVERIFY(db.ok());
        QVERIFY(WriteSetting(QStringLiteral("GACCOUNT_DAY"), QStringLiteral("28")));
        AddAccount("001", QStringLiteral("现金"));
        QRandomGenerator random(42);
        for (int i = 0; i < kEntries; ++i) {
            const QDate date = QDate(2008, 8, 20).addDays(int(random.bounded(90)));
            AddEntry(RecordId(i), "001", date, random.bounded(100000) / 100.0,
                     random.bounded(50000) / 100.0);
        }

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const LinkConfig link = db.link();
        if (link.isPostgres())
            env.insert("ORB_WORKER_PG", QStringLiteral("host=%1;port=%2;user=%3;password=%4;"
                                                       "database=%5")
                                            .arg(link.host)
                                            .arg(link.port)
                                            .arg(link.user, link.password, link.database));
        env.insert("ORB_WORKER_DATA", link.dataDir);
        // The workstations connect one after the other (opening checks the
        // schema), then start posting together.
        QList<QProcess *> workers;
        for (int w = 0; w < kWorkers; ++w) {
            auto *p = new QProcess(this);
            p->setProcessEnvironment(env);
            p->start(QCoreApplication::applicationFilePath(),
                     {"--posting-worker", QString::number(w + 1)});
            while (!p->canReadLine() && p->waitForReadyRead(30000)) {
            }
            QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
            workers << p;
        }
        for (QProcess *p : workers)
            p->write("go\n");
        // QProcess writes only while waiting on that process: flush all now.
        for (QProcess *p : workers)
            QVERIFY(p->waitForBytesWritten(10000));
        int total = 0;
        QStringList counts;
        for (QProcess *p : workers) {
            QVERIFY(p->waitForFinished(60000));
            const QString out = QString::fromUtf8(p->readAllStandardOutput()).trimmed();
            const QString err = QString::fromUtf8(p->readAllStandardError()).trimmed();
            QVERIFY2(p->exitCode() == 0, qPrintable(out + " / " + err));
            // SQLite's busy wait is not fair: one workstation may get few turns.
            const int changed = out.section(' ', 0, 0).toInt();
            counts << QString::number(changed);
            total += changed;
        }
        QVERIFY(total > 0);
        qInfo("%s: %d status changes (%s) by %d workstations in %d s", EngineName(m_engine),
              total, qPrintable(counts.join('+')), kWorkers, kSeconds);

        const QList<LedgerDifference> differences = CheckLedgers();
        QStringList texts;
        for (const LedgerDifference &d : differences)
            texts << d.text();
        QCOMPARE(texts, QStringList{});
        // The closing balance of the last day equals the verified entries' sum.
        const double sum = GetSqlNumber(
            "SELECT SUM(MONEY_INTO_NUMBER - MONEY_OUT_NUMBER) FROM ORB_INTO_OUT_MONEY_TABLE "
            "WHERE STATUS = '已审核'");
        const double last = GetSqlNumber(
            "SELECT TODAY_DAY_MONEY FROM ORB_MONEY_DAY_TABLE WHERE MONEY_DAY_DATE = "
            "(SELECT MAX(MONEY_DAY_DATE) FROM ORB_MONEY_DAY_TABLE)");
        QVERIFY2(std::fabs(sum - last) < 0.005, qPrintable(QString("%1 %2").arg(sum).arg(last)));
    }

private:
    SqlEngine m_engine;
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int worker = args.indexOf(QStringLiteral("--posting-worker"));
    if (worker >= 0)
        return RunWorker(args.mid(worker + 1));
    return OrbTest::RunOnBothEngines<TestPostingConcurrency>(argc, argv);
}

#include "tst_PostingConcurrency.moc"
