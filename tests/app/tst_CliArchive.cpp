// orbcashier-cli archive and export as an administrator calls them.
#include "forms/LibreOfficeCsv.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCliArchive : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;

    struct Result {
        int code;
        QString out;
        QString err;
    };

    Result run(const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ORB_CLI), args);
        p.waitForFinished(120000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
                QString::fromUtf8(p.readAllStandardError()).trimmed()};
    }

    static void write(const QString &path, const QByteArray &data)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
        f.flush();
        f.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)),
                      QFileDevice::FileModificationTime);
    }

    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void createListExtract()
    {
        const QString src = m_home.filePath("src");
        QDir().mkpath(src);
        QByteArray random(40000, '\0');
        for (char &c : random)
            c = char(QRandomGenerator::global()->bounded(256));
        write(src + "/BX模板.rpt", random);
        write(src + "/empty", QByteArray());
        const QString arc = m_home.filePath("backup.bak");
        Result r = run({"archive", "create", arc, src, "--volume-size", "20000"});
        QCOMPARE(r.code, 0);
        QVERIFY(QFileInfo::exists(m_home.filePath("backup.001")));

        r = run({"archive", "list", arc});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.split('\n'),
                 (QStringList{"2024-03-05 10:20:30\t40000\t" + src + "/BX模板.rpt",
                              "2024-03-05 10:20:30\t0\t" + src + "/empty"}));

        const QString out = m_home.filePath("out");
        r = run({"archive", "extract", arc, out});
        QCOMPARE(r.code, 0);
        QCOMPARE(read(out + "/BX模板.rpt"), random);
        QVERIFY(QFileInfo::exists(out + "/empty"));

        write(out + "/empty", "local");
        r = run({"archive", "extract", arc, out, "--mode", "nooverwrite"});
        QCOMPARE(r.code, 0);
        QCOMPARE(read(out + "/empty"), QByteArray("local"));

        QFile::remove(m_home.filePath("backup.001"));
        r = run({"archive", "extract", arc, m_home.filePath("out2")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("找不到备份文件的第1卷：") + m_home.filePath("backup.001"));
    }

    void refusals()
    {
        const QString bad = m_home.filePath("bad.bak");
        write(bad, QByteArray("\0\0\0\0\0\0\0\0\0\0\0\0\x05\0\0\0abcde\0\0\0\0XXXX", 29));
        Result r = run({"archive", "extract", bad, m_home.filePath("bad-out")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("无效的备份文件"));
        r = run({"archive", "list", m_home.filePath("missing.bak")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("不能读备份的文件"));
        r = run({"archive", "extract", bad, m_home.filePath("x"), "--mode", "sometimes"});
        QCOMPARE(r.code, 2);
        r = run({"archive", "create", m_home.filePath("x.bak"), m_home.filePath("no-such-dir")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("目录不存在：") + m_home.filePath("no-such-dir"));
    }

    void exportSelect()
    {
        QCOMPARE(run({"init", "--data", m_home.filePath("Data")}).code, 0);
        QCOMPARE(run({"sql", "INSERT INTO ORB_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,"
                             "MONEY_ACCOUNT_NAME,ORDER_ID,START_MONEY_ACCOUNT) "
                             "VALUES('G001001','工商银行',1,1234.5)"})
                     .code,
                 0);
        const QString sql = "SELECT MONEY_ACCOUNT_ID, MONEY_ACCOUNT_NAME, ORDER_ID, "
                            "START_MONEY_ACCOUNT FROM ORB_MONEY_ACCOUNT_TABLE";
        const QString xls = m_home.filePath("accounts.xls");
        Result r = run({"export", "--sql", sql, "--xls", xls, "--id"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QStringLiteral("数据成功导出到：") + xls);
        QCOMPARE(read(xls).left(4), QByteArray("\x09\x08\x08\x00", 4));
        const QString xlsx = m_home.filePath("accounts.xlsx");
        r = run({"export", "--sql", sql, "--xlsx", xlsx});
        QCOMPARE(r.code, 0);
        QCOMPARE(read(xlsx).left(2), QByteArray("PK"));
        r = run({"export", "--sql", "SELECT NO_SUCH FROM ORB_MONEY_ACCOUNT_TABLE", "--xls", xls});
        QCOMPARE(r.code, 1);
        if (SpreadsheetTest::Office().isEmpty())
            QSKIP("LibreOffice (soffice) is not installed on this machine");
        for (const QString &file : {xls, xlsx}) {
            QString error;
            const QStringList lines = SpreadsheetTest::CsvLines(file, &error);
            QVERIFY2(!lines.isEmpty(), qPrintable(error));
            QCOMPARE(lines.last().section(',', -3), QStringLiteral("\"工商银行\",1,1234.5"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliArchive)
#include "tst_CliArchive.moc"
