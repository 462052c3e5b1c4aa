// orbcashier-cli post and check-ledgers as scripts call them.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCliCashier : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_home;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        return env;
    }

    QString run(const QStringList &args, int *code = nullptr, QString *err = nullptr)
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral(ORB_CLI), args);
        p.waitForFinished(60000);
        if (code)
            *code = p.exitCode();
        if (err)
            *err = QString::fromUtf8(p.readAllStandardError()).trimmed();
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    void sql(const QString &statement)
    {
        int code = -1;
        QString err;
        run({"sql", statement}, &code, &err);
        QVERIFY2(code == 0, qPrintable(err));
    }

private slots:
    void initTestCase()
    {
        int code = -1;
        run({"init", "--data", m_home.filePath("Data")}, &code);
        QCOMPARE(code, 0);
        sql("INSERT INTO ORB_MONEY_ACCOUNT_TABLE(MONEY_ACCOUNT_ID,PRIOR_ID,MONEY_ACCOUNT_NAME,"
            "ORDER_ID) VALUES('001','G001','现金',1)");
        for (int i = 1; i <= 8; ++i)
            sql(QStringLiteral("INSERT INTO ORB_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_ID,"
                               "MONEY_TYPE_ID,MONEY_ACCOUNT_ID,MONEY_DATE,MONEY_INTO_NUMBER,"
                               "MONEY_OUT_NUMBER,STATUS) VALUES('R%1','R%1','001','001',"
                               "'09/%2/2008',%3,1.5,'未审核')")
                    .arg(i)
                    .arg(10 + i % 3)
                    .arg(i * 10));
    }

    void postVerifiesAndUnverifies()
    {
        int code = -1;
        QString err;
        QCOMPARE(run({"post", "R1", "verify", "--name", "李四"}, &code), QString("已审核"));
        QCOMPARE(code, 0);
        QCOMPARE(run({"sql", "SELECT STATUS,VERIFY_NAME FROM ORB_INTO_OUT_MONEY_TABLE "
                             "WHERE MONEY_RECORD_ID = 'R1'"}),
                 QString("已审核\t李四"));
        QCOMPARE(run({"sql", "SELECT TODAY_DAY_MONEY FROM ORB_MONEY_DAY_TABLE"}), QString("8.5"));
        QCOMPARE(run({"post", "R1", "verify"}, &code), QString("已审核（状态未改变）"));
        QCOMPARE(code, 0);
        QCOMPARE(run({"post", "R1", "unverify"}, &code), QString("未审核"));
        QCOMPARE(run({"sql", "SELECT TODAY_DAY_MONEY FROM ORB_MONEY_DAY_TABLE"}), QString("0"));

        run({"post", "R99", "verify"}, &code, &err);
        QCOMPARE(code, 1);
        QCOMPARE(err, QString("没有找到内部编号为 R99 的资金借贷记录"));
        run({"post", "R1", "approve"}, &code);
        QCOMPARE(code, 2);
    }

    // Four processes at once on the SQLite file: no posting is lost.
    void parallelPostsThenCheckLedgers()
    {
        for (int batch = 0; batch < 2; ++batch) {
            QList<QProcess *> posts;
            for (int i = 1; i <= 4; ++i) {
                auto *p = new QProcess(this);
                p->setProcessEnvironment(environment());
                p->start(QStringLiteral(ORB_CLI),
                         {"post", QStringLiteral("R%1").arg(batch * 4 + i), "verify"});
                posts << p;
            }
            for (QProcess *p : posts) {
                QVERIFY(p->waitForFinished(60000));
                QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
            }
        }
        int code = -1;
        QCOMPARE(run({"check-ledgers"}, &code), QString("台账与已审核的资金借贷记录一致"));
        QCOMPARE(code, 0);
        QCOMPARE(run({"sql", "SELECT SUM(INTO_MONTH_MONEY),SUM(OUT_MONTH_MONEY) "
                             "FROM ORB_MONEY_MONTH_TABLE"}),
                 QString("360\t12"));

        sql("UPDATE ORB_MONEY_DAY_TABLE SET OUT_DAY_MONEY = 0 "
            "WHERE MONEY_DAY_DATE = '09/11/2008'");
        QString err;
        const QString out = run({"check-ledgers"}, &code, &err);
        QCOMPARE(code, 1);
        QCOMPARE(out, QString("日台账 资金账号:现金(001) 2008-09-11 本日贷出: 台账 0.00, 应为 4.50"));
        QCOMPARE(err, QString("台账与已审核的资金借贷记录有 1 处不一致"));
    }
};

QTEST_GUILESS_MAIN(TestCliCashier)
#include "tst_CliCashier.moc"
