// The server link settings: tried before they are stored, stored readable by
// the user alone; the window refuses what does not connect.
#include "app/ServerLink.h"
#include "app/SetServerLinkForm.h"
#include "common/TestDb.h"
#include "data/DialogRunner.h"
#include "data/TestSupport.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Orb;

class TestServerLink : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }

    void serverText()
    {
        LinkConfig current;
        current.dataDir = "/data";
        LinkConfig l = ServerLinkFrom(current, " db.local:5433 ", " sa ", "p w");
        QCOMPARE(l.driver, QString("QPSQL"));
        QCOMPARE(l.host, QString("db.local"));
        QCOMPARE(l.port, 5433);
        QCOMPARE(l.user, QString("sa"));
        QCOMPARE(l.password, QString("p w"));
        QCOMPARE(l.database, QString("orbcashier"));
        QCOMPARE(l.dataDir, QString("/data"));
        QCOMPARE(ServerLinkFrom(current, "10.0.0.1", "u", "").port, 5432);
    }

    void refusedWhenItDoesNotConnect()
    {
        RecordingMessageSink sink;
        TSetServerLinkForm form;
        QCOMPARE(form.windowTitle(), QString("服务器数据库联结参数设置窗口"));
        QCOMPARE(form.OrbEdit2->echoMode(), QLineEdit::Password);
        form.Button_ok->click();
        QCOMPARE(sink.last(), QString("必须输入服务器名称"));
        form.OrbEdit1->setText("127.0.0.1:1");   // nothing listens there
        form.OrbEdit3->setText("postgres");
        form.Button_ok->click();
        QVERIFY(sink.last().startsWith("不能联结服务器数据库，参数没有保存："));
        QVERIFY(!QFileInfo::exists(AliasFilePath()));
        QCOMPARE(form.result(), 0);
    }

    void storedOwnerOnlyAfterATest()
    {
        if (!OrbTest::PostgresAvailable())
            QSKIP("PostgreSQL test cluster not reachable");
        const LinkConfig pg = ParsePostgresLink(qEnvironmentVariable("ORB_TEST_PG"));
        RecordingMessageSink sink;
        ScopedDialogHandler handler([&](QDialog *d) {
            auto *form = qobject_cast<TSetServerLinkForm *>(d);
            if (!form)
                return int(QDialog::Rejected);
            form->OrbEdit1->setText(pg.host + ":" + QString::number(pg.port));
            form->OrbEdit3->setText(pg.user);
            form->OrbEdit2->setText(pg.password);
            form->Button_ok->click();
            return form->result();
        });
        LinkConfig seed;
        seed.driver = "QPSQL";
        seed.database = pg.database;
        QVERIFY(WriteLink(seed));
        TSetServerLinkForm form;
        QCOMPARE(RunModal(&form), int(QDialog::Accepted));
        QCOMPARE(sink.last(), QString("服务器数据库联结参数已经保存，重新启动软件后生效"));
        LinkConfig stored;
        QVERIFY(ReadLink(&stored));
        QCOMPARE(stored.host, pg.host);
        QCOMPARE(stored.port, pg.port);
        QCOMPARE(stored.user, pg.user);
        QCOMPARE(QFileInfo(AliasFilePath()).permissions()
                     & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup
                        | QFile::WriteOther),
                 QFile::Permissions());
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestServerLink)
#include "tst_ServerLink.moc"
