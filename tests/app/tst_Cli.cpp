// orbcashier-cli as administrators and scripts call it.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCli : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_home;

    QString run(const QStringList &args, int *code = nullptr, QString *err = nullptr)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ORB_CLI), args);
        p.waitForFinished(60000);
        if (code)
            *code = p.exitCode();
        if (err)
            *err = QString::fromUtf8(p.readAllStandardError());
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

private slots:
    void capitalAndRound()
    {
        QCOMPARE(run({"capital", "1005.40"}), QStringLiteral("壹仟零伍元肆角整"));
        QCOMPARE(run({"capital", "-12"}), QStringLiteral("负壹拾贰元整"));
        QCOMPARE(run({"round", "2", QStringLiteral("五舍六入"), "1.235"}), QString("1.23"));
    }

    void sqlOnANewDatabase()
    {
        int code = -1;
        QString err;
        run({"sql", "SELECT Count(USE_ID) FROM SYS_USER_TABLE"}, &code, &err);
        QCOMPARE(code, 1);
        QVERIFY(err.contains(QStringLiteral("orbcashier-cli init --data DIR")));

        run({"init", "--data", m_home.filePath("Data")}, &code);
        QCOMPARE(code, 0);
        QCOMPARE(run({"sql", "SELECT Count(USE_ID) FROM SYS_USER_TABLE"}), QString("0"));

        run({"init", "--data", m_home.filePath("Data"), "--company", QStringLiteral("华夏公司"),
             "--user", "ADMIN", "--name", QStringLiteral("张三"), "--password", "pw"},
            &code);
        QCOMPARE(code, 0);
        QCOMPARE(run({"sql", "SELECT USE_ID, USE_NAME, SYS_USER FROM SYS_USER_TABLE"}),
                 QStringLiteral("ADMIN\t张三\t是"));

        run({"sql", "INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('a','1')"}, &code);
        QCOMPARE(code, 0);
        run({"sql", "INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES('a','1')"}, &code, &err);
        QCOMPARE(code, 1);
        QCOMPARE(err.trimmed().split(QLatin1Char('\n')).last(), QStringLiteral("数据库主键重复"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_Cli.moc"
