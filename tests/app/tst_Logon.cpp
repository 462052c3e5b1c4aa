// The logon window, the first-run enrolment and the numbering window, driven
// through their controls on both engines.
#include "app/BackupOffer.h"
#include "app/EnrolForm.h"
#include "app/LogonForm.h"
#include "app/SetAutoIDForm.h"
#include "common/TestDb.h"
#include "data/DialogRunner.h"
#include "data/OrbFun.h"
#include "data/Settings.h"
#include "data/TestSupport.h"
#include "rights/PasswordHash.h"
#include "rights/UserPassword.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace Orb;

namespace {

void AddUser(const QString &id, const QString &name, const QString &password, bool sys,
             const QString &stop = QStringLiteral("有效"))
{
    QVERIFY(ExecSql(QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,"
                                   "SYS_USER,STOP_RIGHT) VALUES(%1,%2,%3,%4,%5)")
                        .arg(QuotedStr(id), QuotedStr(name), QuotedStr(HashPassword(password)),
                             QuotedStr(sys ? "是" : "否"), QuotedStr(stop))));
}

void Fill(TEnrolForm &f, const QStringList &values)
{
    QLineEdit *edits[] = {f.OrbEdit1, f.OrbEdit6, f.OrbEdit7, f.OrbEdit8, f.OrbEdit9,
                          f.OrbEdit4, f.OrbEdit5, f.OrbEdit2, f.OrbEdit3};
    for (int i = 0; i < 9; ++i)
        edits[i]->setText(values.value(i));
}

QStringList Row(const QString &sql)
{
    QStringList out;
    for (const QVariant &v : GetSqlRow(sql).toList())
        out << FieldText(v);
    return out;
}

} // namespace

class TestLogon : public QObject {
    Q_OBJECT
public:
    explicit TestLogon(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        LogonUserID.clear();
        LogonUserName.clear();
        LogonSysUser = false;
    }
    void cleanup() { m_db.reset(); }

    void logonByIdAndByName()
    {
        AddUser("A01", "张三", "pw1", true);
        AddUser("A02", "李四", "pw2", false);
        AddUser("A03", "王五", "pw3", false, "停用");
        WriteRegistryText("OrbCashierImes", "fcitx5");
        {
            TLogonForm f;
            QCOMPARE(f.windowTitle(), QString("用户登陆窗口"));
            QCOMPARE(f.UserIDBox->count(), 2);   // the stopped user is not offered
            f.UserIDBox->setEditText(" A01 ");
            f.PasswordEdit->setText("pw1 ");
            f.ButtonOK->click();
            QCOMPARE(f.result(), int(QDialog::Accepted));
            QCOMPARE(LogonUserID, QString("A01"));
            QCOMPARE(LogonUserName, QString("张三"));
            QVERIFY(LogonSysUser);
            QCOMPARE(ImeName, QString("fcitx5"));
        }
        {
            TLogonForm f;
            f.UserIDBox->setCurrentIndex(f.UserIDBox->findText("李四"));
            f.PasswordEdit->setText("pw2");
            f.ButtonOK->click();
            QCOMPARE(f.result(), int(QDialog::Accepted));
            QCOMPARE(LogonUserID, QString("A02"));
            QVERIFY(!LogonSysUser);
        }
    }

    void serverSettingsFromTheLogon()
    {
        QStringList opened;
        ScopedDialogHandler handler([&](QDialog *d) {
            opened << d->objectName();
            return int(QDialog::Rejected);
        });
        TLogonForm f;
        f.ButtonServer->click();
        QCOMPARE(opened, QStringList{"SetServerLinkForm"});
        QCOMPARE(f.result(), 0);   // the logon stays open
    }

    void refusedAttempts()
    {
        AddUser("A01", "张三", "pw1", true);
        AddUser("A03", "王五", "pw3", false, "停用");
        RecordingMessageSink sink;
        TLogonForm f;
        f.show();
        const char *const attempts[][2] = {
            {"A03", "pw3"}, {"' OR '1'='1", "' OR '1'='1"}, {"A01", "wrong"}};
        for (const auto &a : attempts) {
            f.UserIDBox->setEditText(a[0]);
            f.PasswordEdit->setText(a[1]);
            f.ButtonOK->click();
            QCOMPARE(sink.last(), QString("错误的用户编号或错误的口令"));
            QVERIFY(f.isVisible());
            QCOMPARE(f.focusWidget(), f.UserIDBox);
        }
        QVERIFY(LogonUserID.isEmpty());
        f.UserIDBox->setEditText("A01");
        f.PasswordEdit->setText("again wrong");
        f.ButtonOK->click();
        QCOMPARE(sink.last(), QString("您可能是非法的用户,不能登陆系统"));
        QCOMPARE(sink.entries.size(), 4);
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QVERIFY(!f.isVisible());
    }

    void enrolmentRefusals()
    {
        RecordingMessageSink sink;
        TEnrolForm f;
        f.show();
        struct Case {
            QStringList values;
            const char *message;
            QLineEdit *TEnrolForm::*focus;
        };
        const QStringList full = {"公司", "100000", "", "010-1", "北京", "A01", "管理员", "pw",
                                  "pw"};
        auto without = [&](int i) {
            QStringList v = full;
            v[i] = "  ";
            return v;
        };
        QStringList mismatch = full;
        mismatch[8] = "other";
        const Case cases[] = {
            {without(0), "必须输入企业名称", &TEnrolForm::OrbEdit1},
            {without(3), "必须输入电话", &TEnrolForm::OrbEdit8},
            {without(4), "必须输入地址", &TEnrolForm::OrbEdit9},
            {without(5), "必须输入用户编号", &TEnrolForm::OrbEdit4},
            {without(6), "必须输入用户姓名", &TEnrolForm::OrbEdit5},
            {without(7), "必须输入用户口令", &TEnrolForm::OrbEdit2},
            {without(8), "必须确认用户口令", &TEnrolForm::OrbEdit3},
            {mismatch, "口令确认错误", &TEnrolForm::OrbEdit2},
            {QStringList(9, QString()), "必须输入企业名称", &TEnrolForm::OrbEdit1},
        };
        for (const Case &c : cases) {
            Fill(f, c.values);
            f.Button_Ok->click();
            QCOMPARE(sink.last(), QString::fromUtf8(c.message));
            QCOMPARE(f.focusWidget(), f.*c.focus);
        }
        QCOMPARE(GetSqlNumber("SELECT COUNT(USE_ID) FROM SYS_USER_TABLE"), 0.0);
        QCOMPARE(GetSqlNumber("SELECT COUNT(COMPANY_ID) FROM SYS_COMPANY_TABLE"), 0.0);
    }

    void enrolmentWrites()
    {
        RecordingMessageSink sink;
        SkipAutoBackupOffer = false;
        QStringList dialogs;
        ScopedDialogHandler handler([&](QDialog *d) {
            dialogs << d->objectName();
            auto *form = qobject_cast<TSetAutoIDForm *>(d);
            if (!form)
                return int(QDialog::Rejected);
            // A fresh database: auto numbers off, financial format and backup on, mode 1.
            if (form->CheckBox1->isChecked() || form->CheckBox2->isChecked()
                || !form->CheckBox4->isChecked() || !form->CheckBox3->isChecked()
                || !form->RadioItems[1]->isChecked())
                dialogs << "unexpected defaults";
            form->CheckBox1->setChecked(true);
            form->Button_ok->click();
            return form->result();
        });
        TEnrolForm f;
        f.show();
        Fill(f, {" 宏达公司 ", "100000", "010-2", "010-1", "北京", "A01", "管理员", " pw ",
                 "pw"});
        f.Button_Ok->click();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(dialogs, QStringList{"SetAutoIDForm"});
        QCOMPARE(sink.texts(),
                 QStringList{"您的用户名称是：管理员\n\r用户编号是：A01\n\r您的口令是：pw       "});
        QVERIFY(SkipAutoBackupOffer);
        QCOMPARE(LogonUserID, QString("A01"));
        QCOMPARE(CompanyTitle, QString("宏达公司"));
        QVERIFY(LogonSysUser);

        QCOMPARE(Row("SELECT COMPANY_ID,PRIOR_ID,ORDER_ID,COMPANY_NAME,COMPANY_PHONE "
                     "FROM SYS_COMPANY_TABLE"),
                 QStringList({"G001", "G002", "1", "宏达公司", "010-1"}));
        QCOMPARE(Row("SELECT USE_ID,USE_NAME,SYS_USER,STOP_RIGHT FROM SYS_USER_TABLE"),
                 QStringList({"A01", "管理员", "是", "有效"}));
        QVERIFY(FindLogonUser("A01", "pw").found);   // stored trimmed, as a hash
        QCOMPARE(GetSqlNumber("SELECT COUNT(USE_ID) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'A01' AND "
                              "ADD_RIGHT = '是' AND EDIT_RIGHT = '是' AND DELETE_RIGHT = '是' AND "
                              "BROWSE_RIGHT = '是' AND PRINT_RIGHT = '是' AND VERIFY_RIGHT = '是' "
                              "AND CURRENCY_RIGHT = '是'"),
                 10.0);
        QCOMPARE(GetSqlRows("SELECT PRINT_ID, PRINT_INDEX, PRINT_TYPE FROM SYS_PRINT_NAME_TABLE "
                            "ORDER BY PRINT_ID")
                     .toList()
                     .size(),
                 5);
        QCOMPARE(Row("SELECT PRINT_INDEX,PRINT_NAME,PRINT_TYPE FROM SYS_PRINT_NAME_TABLE "
                     "WHERE PRINT_ID = '200700000010'"),
                 QStringList({"EmployeeFormMaster", "员工资料", "M"}));
        QCOMPARE(ReadSetting("借贷编号"), QString("是"));
        QCOMPARE(GetSqlNumber("SELECT COUNT(NAME_ID) FROM SYS_ID_TABLE"), 5.0);

        // A second enrolment updates the company root and replaces all rights.
        sink.clear();
        QVERIFY(ExecSql("UPDATE SYS_USER_TABLE SET SYS_USER = '否'"));
        TEnrolForm again;
        again.show();
        Fill(again, {"新公司", "", "", "020-9", "广州", "B02", "新管理员", "x", "x"});
        again.Button_Ok->click();
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QCOMPARE(GetSqlNumber("SELECT COUNT(COMPANY_ID) FROM SYS_COMPANY_TABLE"), 1.0);
        QCOMPARE(Row("SELECT COMPANY_NAME,COMPANY_ADDRESS,CREATE_NAME FROM SYS_COMPANY_TABLE "
                     "WHERE COMPANY_ID = 'G001'"),
                 QStringList({"新公司", "广州", "新管理员"}));
        QCOMPARE(GetSqlNumber("SELECT COUNT(USE_ID) FROM SYS_RIGHT_TABLE"), 10.0);
        QCOMPARE(GetSqlNumber("SELECT COUNT(USE_ID) FROM SYS_RIGHT_TABLE WHERE USE_ID = 'B02'"),
                 10.0);
        QCOMPARE(GetSqlNumber("SELECT COUNT(PRINT_ID) FROM SYS_PRINT_NAME_TABLE"), 5.0);
    }

    void enrolmentWithQuotes()
    {
        RecordingMessageSink sink;
        ScopedDialogHandler handler([](QDialog *) { return int(QDialog::Rejected); });
        TEnrolForm f;
        Fill(f, {"O'Brien & Co", "", "", "1", "x'); DROP TABLE SYS_USER_TABLE; --", "Q1",
                 "O'Neil", "p'w", "p'w"});
        f.Button_Ok->click();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(GetSqlText("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE"),
                 QString("O'Brien & Co"));
        QVERIFY(FindLogonUser("O'Neil", "p'w").found);
    }

    void numberingWindow()
    {
        RecordingMessageSink sink;
        WriteSetting("非财务格式", "是");
        WriteSetting("分类编号", "3");
        TSetAutoIDForm f;
        QCOMPARE(f.windowTitle(), QString("编号方式设置窗口"));
        QVERIFY(!f.CheckBox4->isChecked());
        QVERIFY(f.RadioItems[3]->isChecked());
        f.CheckBox4->setChecked(true);
        f.CheckBox3->setChecked(false);
        f.RadioItems[2]->setChecked(true);
        QTest::keyClick(&f, Qt::Key_Escape);   // Esc confirms
        QCOMPARE(ReadSetting("非财务格式"), QString("否"));
        QCOMPARE(ReadSetting("不自动数据备份"), QString("是"));
        QCOMPARE(ReadSetting("分类编号"), QString("2"));
        QVERIFY(FinanceFormat);
        QCOMPARE(NumberingMode, 2);
        QCOMPARE(GetSqlNumber("SELECT COUNT(NAME_ID) FROM SYS_ID_TABLE"), 5.0);
        QCOMPARE(sink.entries.size(), 0);

        // Closing by other means stores nothing.
        TSetAutoIDForm other;
        other.show();
        other.CheckBox1->setChecked(true);
        other.close();
        QCOMPARE(ReadSetting("借贷编号"), QString("否"));
    }

private:
    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
};

ORB_TEST_BOTH_ENGINES(TestLogon)
#include "tst_Logon.moc"
