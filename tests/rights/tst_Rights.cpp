// Rights look-ups, single rights, users and passwords, and the password
// change window, on both engines.
#include "common/TestDb.h"
#include "data/OrbFun.h"
#include "data/TestSupport.h"
#include "rights/PasswordChangeForm.h"
#include "rights/PasswordHash.h"
#include "rights/RightsModel.h"
#include "rights/UserPassword.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Orb;

namespace {

void AddUser(const QString &id, const QString &name, const QString &password,
             const QString &stop = QStringLiteral("有效"))
{
    QVERIFY(ExecSql(QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,"
                                   "SYS_USER,STOP_RIGHT) VALUES(%1,%2,%3,'否',%4)")
                        .arg(QuotedStr(id), QuotedStr(name), QuotedStr(HashPassword(password)),
                             QuotedStr(stop))));
}

void AddRights(const QString &user, int group, int program, const QString &add,
               const QString &browse)
{
    QVERIFY(ExecSql(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,"
                                   "ADD_RIGHT,EDIT_RIGHT,DElETE_RIGHT,BROWSE_RIGHT,PRINT_RIGHT,"
                                   "VERIFY_RIGHT,CURRENCY_RIGHT) VALUES(%1,%2,%3,%4,'是','否',%5,"
                                   "'是','否','是')")
                        .arg(QuotedStr(user))
                        .arg(group)
                        .arg(program)
                        .arg(QuotedStr(add), QuotedStr(browse))));
}

} // namespace

class TestRights : public QObject {
    Q_OBJECT
public:
    explicit TestRights(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
    }
    void cleanup() { m_db.reset(); }

    void rightsRecordAndBrowseRight()
    {
        RecordingMessageSink sink;
        AddRights("U1", 1, 1, "是", "否");   // every right but browse
        AddRights("U2", 1, 1, "否", "是");
        const TRights r = GetRights("出纳记账管理", "资金借贷记录录入编辑", "U1");
        QVERIFY(r.found);
        QVERIFY(r.add && r.edit && !r.del && !r.browse && r.print && !r.verify && r.currency);
        QVERIFY(!HasBrowseRight("出纳记账管理", "资金借贷记录录入编辑", "U1"));
        QVERIFY(HasBrowseRight("出纳记账管理", "资金借贷记录录入编辑", "U2"));
        QVERIFY(!HasBrowseRight("出纳记账管理", "资金借贷记录录入编辑", "NOBODY"));
        QVERIFY(!GetRights("出纳记账管理", "资金借贷记录录入编辑", "NOBODY").found);
        QCOMPARE(sink.entries.size(), 0);

        QVERIFY(!HasBrowseRight("没有的组", "资金借贷记录录入编辑", "U2"));
        QVERIFY(!HasBrowseRight("出纳记账管理", "没有的程序", "U2"));
        QCOMPARE(sink.texts(), QStringList({"没有的组程序组找不到", "没有的程序程序找不到"}));
        // A quote in a name stays inside its literal.
        QVERIFY(!HasBrowseRight("x' OR '1'='1", "资金借贷记录录入编辑", "U2"));
        QCOMPARE(sink.last(), QString("x' OR '1'='1程序组找不到"));
    }

    void singleRights()
    {
        QCOMPARE(GetRight("U9", 2, rkPrint, 3), QString("否"));
        QVERIFY(SetRight("U9", 2, "是", rkPrint, 3));
        QCOMPARE(GetSqlNumber("SELECT COUNT(USE_ID) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'U9'"),
                 1.0);
        QCOMPARE(GetRight("U9", 2, rkPrint, 3), QString("是"));
        QCOMPARE(GetRight("U9", 2, rkBrowse, 3), QString("否"));   // empty reads as no
        QVERIFY(SetRight("U9", 2, "是", rkDelete, 3));
        QVERIFY(SetRight("U9", 2, "否", rkPrint, 3));
        QCOMPARE(GetSqlNumber("SELECT COUNT(USE_ID) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'U9'"),
                 1.0);
        QCOMPARE(GetRight("U9", 2, rkDelete, 3), QString("是"));
        QCOMPARE(GetRight("U9", 2, rkPrint, 3), QString("否"));
    }

    void logonUsers()
    {
        AddUser("A01", "张三", "pw1");
        AddUser("A02", "李四", "secret", "停用");
        LogonUser u = FindLogonUser(" A01 ", " pw1 ");
        QVERIFY(u.found);
        QCOMPARE(u.name, QString("张三"));
        QVERIFY(FindLogonUser("张三", "pw1").found);
        QVERIFY(!FindLogonUser("A01", "pw2").found);
        QVERIFY(!FindLogonUser("A02", "secret").found);   // stopped
        QVERIFY(!FindLogonUser("' OR '1'='1", "' OR '1'='1").found);
        QVERIFY(!FindLogonUser("A01", "' OR '1'='1").found);
        // The stored text is a salted hash, never the password.
        const QString stored =
            GetSqlText("SELECT USE_PASSWORD FROM SYS_USER_TABLE WHERE USE_ID = 'A01'");
        QVERIFY(stored.startsWith("$argon2id$"));
    }

    void passwordChangeWindow()
    {
        AddUser("A01", "张三", "old");
        LogonUserID = "A01";
        RecordingMessageSink sink;
        TPasswordChangeForm form;
        form.show();
        struct Case {
            const char *oldPw, *newPw, *again, *message, *focus;
        };
        const Case cases[] = {
            {"", "n", "n", "必须输入新口令", "OrbEdit1"},
            {"wrong", "n", "n", "错误的老口令", "OrbEdit3"},
            {"old", " ", "n", "必须输入新口令", "OrbEdit1"},
            {"old", "n", "", "必须输入新口令", "OrbEdit2"},
            {"old", "n1", "n2", "新口令与确认的新口令不一致", "OrbEdit1"},
        };
        for (const Case &c : cases) {
            form.OrbEdit3->setText(c.oldPw);
            form.OrbEdit1->setText(c.newPw);
            form.OrbEdit2->setText(c.again);
            form.Button_ok->click();
            QCOMPARE(sink.last(), QString::fromUtf8(c.message));
            QCOMPARE(form.focusWidget()->objectName(), QString::fromUtf8(c.focus));
            QVERIFY(form.isVisible());
        }
        QVERIFY(CheckUserPassword("A01", "old"));
        form.OrbEdit3->setText("old");
        form.OrbEdit1->setText("  new1 ");
        form.OrbEdit2->setText("new1");
        form.Button_ok->click();
        QCOMPARE(sink.last(), QString("口令改变成功"));
        QVERIFY(!form.isVisible());
        QVERIFY(form.OrbEdit1->text().isEmpty() && form.OrbEdit2->text().isEmpty());
        QVERIFY(FindLogonUser("A01", "new1").found);
        QVERIFY(!FindLogonUser("A01", "old").found);

        // A logged-on id that matches no user (after a restore).
        LogonUserID = "GONE";
        form.show();
        form.OrbEdit3->setText("new1");
        form.Button_ok->click();
        QCOMPARE(sink.last(), QString("错误的老口令"));
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestRights)
#include "tst_Rights.moc"
