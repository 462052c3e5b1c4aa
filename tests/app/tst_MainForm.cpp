// The main window and its controller: commands and their refusals, open
// windows and their menu, the exit guard, the exclusive flag, the status bar
// date, the look commands and the single-instance check.
#include "app/MainForm.h"
#include "app/LogonForm.h"
#include "app/OrbMain.h"
#include "app/SelectImesForm.h"
#include "app/SelectReportForm.h"
#include "app/SetAutoIDForm.h"
#include "app/SingleInstance.h"
#include "common/TestDb.h"
#include "data/DialogRunner.h"
#include "data/OrbFun.h"
#include "data/Settings.h"
#include "data/TestSupport.h"
#include "rights/OrbChild.h"
#include "rights/PasswordHash.h"
#include "rights/WindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace Orb;

namespace {

int g_key = 0;

// A business window as the later libraries build them: a window with its guard.
WindowEntry TestWindow(const QString &name, const QString &group, const QString &program)
{
    return {name, group, program, [name](QWidget *main) {
                auto *w = new QWidget(main, Qt::Window);
                w->setObjectName(name);
                w->resize(300, 200);
                (new TOrbChild(w))->Attach();
                return w;
            }};
}

void Grant(const QString &user, int group, int program, const QString &browse)
{
    QVERIFY(ExecSql(QStringLiteral("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,"
                                   "ADD_RIGHT,BROWSE_RIGHT) VALUES(%1,%2,%3,'是',%4)")
                        .arg(QuotedStr(user))
                        .arg(group)
                        .arg(program)
                        .arg(QuotedStr(browse))));
}

void Logon(const QString &id, bool sys)
{
    LogonUserID = id;
    LogonUserName = id;
    LogonSysUser = sys;
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
public:
    explicit TestMainForm(SqlEngine engine) : m_engine(engine) {}

private slots:
    void init()
    {
        m_db = std::make_unique<OrbTest::TestDatabase>(m_engine);
        QVERIFY(m_db->ok());
        ClearWindowRegistry();
        RegisterRightsWindows();
        RegisterWindow(TestWindow("MoneyIntoOutForm", "出纳记账管理", "资金借贷记录录入编辑"));
        RegisterWindow(TestWindow("MoneyAccountForm", "基本数据录入编辑", "资金账号录入编辑"));
        RegisterWindow(TestWindow("DeleteDataForm", "系统管理", "过时数据删除"));
        RegisterWindow(TestWindow("UserForm", "", ""));
        Grant("A01", 1, 1, "是");
        Grant("A01", 2, 1, "是");
        Grant("A01", 3, 2, "是");
        Grant("B02", 1, 1, "否");
        Logon("A01", true);
        CompanyTitle = "宏达公司";
        m_sink = std::make_unique<RecordingMessageSink>();
        m_main = std::make_unique<TMainForm>(QStringLiteral("test-%1").arg(++g_key));
        QVERIFY(m_main->Initialized());
        m_main->show();
    }
    void cleanup()
    {
        if (m_main)
            for (QWidget *w :
                 m_main->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                if (w->isWindow())
                    delete w;
        m_main.reset();
        m_sink.reset();
        m_db.reset();
        SetFixedNow(QDateTime());
    }

    void unregisteredCommandsAreDisabled()
    {
        TMainForm &m = *m_main;
        QVERIFY(m.Item("N13")->isEnabled());
        QVERIFY(!m.Item("N17")->isEnabled());   // its window is not built yet
        QVERIFY(!m.findChild<QToolButton *>("ToolButton1")->isEnabled());
        QVERIFY(!m.Item("N3")->isEnabled());    // no backup procedure registered
        QVERIFY(!m.Item("N29")->isEnabled());
        QVERIFY(!m.Item("N24")->isVisible() && !m.Item("N35")->isVisible());
        // A double-click on the shortcut of a disabled command opens nothing.
        QTest::mouseDClick(m.findChild<QLabel *>("Image20"), Qt::LeftButton);
        QCOMPARE(m_sink->texts(), QStringList{"请先关闭打开的其它窗口"});
        QCOMPARE(m.OrbMain->ChildCount(), 0);
        QCOMPARE(m.findChild<QLabel *>("Image20")->toolTip(), QString("用鼠标左键双击图标"));
        QCOMPARE(m.findChild<QLabel *>("Label4")->toolTip(), QString("用鼠标左键双击文字"));
    }

    void openWindowsAndTheirMenu()
    {
        TMainForm &m = *m_main;
        QMenu *open = m.OrbMain->OpenWindowsMenu();
        QCOMPARE(open->objectName(), QString("N7"));
        QVERIFY(!open->menuAction()->isVisible());

        QTest::mouseDClick(m.findChild<QLabel *>("Image17"), Qt::LeftButton);
        QWidget *journal = m.OrbMain->ChildWindow("MoneyIntoOutForm");
        QVERIFY(journal && journal->isVisible());
        QVERIFY(open->menuAction()->isVisible());
        QCOMPARE(open->title(), QString("打开的窗口"));
        QCOMPARE(open->actions().size(), 1);
        QCOMPARE(open->actions().at(0)->text(), QString("资金借贷记录录入编辑"));

        // The same command again brings the open window forward.
        m.Item("N13")->trigger();
        open->actions().at(0)->trigger();
        QCOMPARE(m.OrbMain->ChildCount(), 1);
        QCOMPARE(m.OrbMain->ChildWindow("MoneyIntoOutForm"), journal);

        m.Item("N27")->trigger();
        QCOMPARE(m.OrbMain->ChildNames(), QStringList({"MoneyAccountForm", "MoneyIntoOutForm"}));

        // The exit guard refuses while a window is open.
        QVERIFY(!m.close());
        QCOMPARE(m_sink->last(), QString("请先关闭打开的全部子程序后,才能退出系统"));
        QVERIFY(m.isVisible());

        QVERIFY(journal->close());
        QTRY_COMPARE(m.OrbMain->ChildCount(), 1);
        QCOMPARE(open->actions().size(), 1);
        QVERIFY(m.OrbMain->ChildWindow("MoneyAccountForm")->close());
        QTRY_COMPARE(m.OrbMain->ChildCount(), 0);
        QVERIFY(!open->menuAction()->isVisible());
        QVERIFY(open->title().isEmpty());
        QVERIFY(m.close());
    }

    void staleEntryIsReplaced()
    {
        TMainForm &m = *m_main;
        m.Item("N13")->trigger();
        QPointer<QWidget> first = m.OrbMain->ChildWindow("MoneyIntoOutForm");
        delete first.data();   // gone without its close message
        m.Item("N13")->trigger();
        QCOMPARE(m.OrbMain->ChildCount(), 1);
        QVERIFY(m.OrbMain->ChildWindow("MoneyIntoOutForm"));
        QCOMPARE(m.OrbMain->OpenWindowsMenu()->actions().size(), 1);
    }

    void rightsRefusals()
    {
        TMainForm &m = *m_main;
        RegisterProcedure("Restore", [](QWidget *) { ShowWarning("restore ran"); });
        RegisterProcedure("DataRebuild", [](QWidget *) { ShowWarning("rebuild ran"); });
        m.UpdateCommands();
        Logon("B02", false);   // a row whose browse right is "否"
        m.Item("N13")->trigger();
        Logon("C03", false);   // no row at all
        m.Item("N27")->trigger();
        m.Item("USERMENU")->trigger();
        m.Item("N54")->trigger();
        m.Item("N19")->trigger();
        m.Item("N15")->trigger();
        QCOMPARE(m_sink->texts(),
                 QStringList({"您没有在程序\"资金借贷记录录入编辑\"中的权限",
                              "您没有在程序\"资金账号录入编辑\"中的权限",
                              "您没有在程序\"用户管理\"中的权限",
                              "只有系统管理员才能有恢复数据库的权限",
                              "只有系统管理员才能有设置修改编号方式的权限",
                              "您没有在程序\"数据修复\"中的权限"}));
        QCOMPARE(m.OrbMain->ChildCount(), 0);

        RegisterProcedure("Backup", [](QWidget *) { ShowWarning("backup ran"); });
        m.UpdateCommands();
        m_sink->clear();
        m.findChild<QToolButton *>("ToolButton9")->click();
        QCOMPARE(m_sink->texts(), QStringList{"您没有在程序\"数据备份\"中的权限"});
        Grant("C03", 3, 1, "是");
        m.Item("N3")->trigger();
        QCOMPARE(m_sink->last(), QString("backup ran"));
    }

    void maintenanceNeedsTheOthersClosed()
    {
        TMainForm &m = *m_main;
        QStringList modal;
        ScopedDialogHandler handler([&](QDialog *d) {
            modal << d->objectName();
            return int(QDialog::Rejected);
        });
        RegisterProcedure("DataRebuild", [](QWidget *) { ShowWarning("rebuild ran"); });
        m.UpdateCommands();
        m.Item("N13")->trigger();
        m.Item("N19")->trigger();
        m.Item("N15")->trigger();
        m.Item("N6")->trigger();
        QCOMPARE(m_sink->texts(), QStringList(3, "请先关闭其它的窗口"));
        QVERIFY(modal.isEmpty());
        QVERIFY(m.OrbMain->ChildWindow("MoneyIntoOutForm")->close());
        QTRY_COMPARE(m.OrbMain->ChildCount(), 0);
        m.Item("N19")->trigger();
        m.Item("N15")->trigger();
        QCOMPARE(modal, QStringList{"SetAutoIDForm"});
        QCOMPARE(m_sink->last(), QString("rebuild ran"));
    }

    void exclusiveDeletionWindow()
    {
        TMainForm &m = *m_main;
        m.Item("N6")->trigger();
        QWidget *deletion = m.OrbMain->ChildWindow("DeleteDataForm");
        QVERIFY(deletion);
        QVERIFY(m.OrbMain->Exclusive);
        m.Item("N13")->trigger();
        QCOMPARE(m_sink->texts(), QStringList{"当数据备份与恢复窗口打开时,不能打开其它的窗口"});
        m.Item("N6")->trigger();   // brings it forward
        QCOMPARE(m.OrbMain->ChildCount(), 1);
        QCOMPARE(m_sink->entries.size(), 1);
        QVERIFY(deletion->close());
        QTRY_VERIFY(!m.OrbMain->Exclusive);
        m.Item("N13")->trigger();
        QCOMPARE(m.OrbMain->ChildCount(), 1);
    }

    void passwordWindowFromTheMenu()
    {
        Logon("C03", false);
        m_main->Item("CHANGEPASSWORDMENU")->trigger();
        QWidget *w = m_main->OrbMain->ChildWindow("PasswordChangeForm");
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QString("用户口令修改窗口"));
    }

    void statusBarDateAfterMidnight()
    {
        m_main.reset();
        SetFixedNow(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 50)));
        m_main = std::make_unique<TMainForm>(QStringLiteral("test-%1").arg(++g_key));
        m_main->show();
        QCOMPARE(m_main->windowTitle(), QString("宏达公司Orb出纳记账管理系统"));
        QCOMPARE(m_main->StatusPanel1->text(), QString("2026年12月31日"));
        QVERIFY(m_main->Timer->isActive());
        QCOMPARE(m_main->Timer->interval(), 100000);
        SetFixedNow(QDateTime(QDate(2027, 1, 1), QTime(0, 0, 30)));
        m_main->TimerTimer();
        QCOMPARE(m_main->StatusPanel1->text(), QString("2027年01月01日"));
    }

    void colourPictureHelpAbout()
    {
        TMainForm &m = *m_main;
        const QColor blue = m.Panel1->palette().color(QPalette::Window);
        QCOMPARE(blue, QColor(0x00, 0x80, 0xC0));   // $C08000

        WriteRegistryText("OrbCashierColor", "blue");   // not a number: the colour stays
        TMainForm second(QStringLiteral("test-%1").arg(++g_key));
        QCOMPARE(second.Panel1->palette().color(QPalette::Window), blue);

        QStringList dialogs;
        ScopedDialogHandler handler([&](QDialog *d) {
            dialogs << d->metaObject()->className();
            if (auto *c = qobject_cast<QColorDialog *>(d)) {
                c->setCurrentColor(QColor(0x11, 0x22, 0x33));
                return int(QDialog::Accepted);
            }
            if (auto *s = qobject_cast<TSelectReportForm *>(d)) {
                if (d->windowTitle() != "操作选择窗口" || !s->RadioButton1->isChecked()
                    || s->RadioButton2->text() != "清除窗口背景图像")
                    dialogs << "wrong choice window";
                s->RadioButton2->setChecked(true);
                s->Button_ok->click();
                return s->result();
            }
            return int(QDialog::Accepted);
        });
        m.Item("N44")->trigger();
        QCOMPARE(m_sink->last(), QString("如果有主窗口图像，只有在\"改变主窗口图像\"菜单里"
                                         "清除窗口背景图像，才能看到主窗口颜色"));
        QCOMPARE(m.Panel1->palette().color(QPalette::Window), QColor(0x11, 0x22, 0x33));
        QCOMPARE(ReadRegistryInteger("OrbCashierColor"), QString::number(0x332211));

        WriteRegistryText("OrbBank", "/nowhere.bmp");
        m.Item("N5")->trigger();
        QVERIFY(m.Image1->isHidden());
        QVERIFY(ReadRegistryText("OrbBank").isEmpty());

        m.Item("N2")->trigger();
        QCOMPARE(dialogs,
                 QStringList({"QColorDialog", "Orb::TSelectReportForm", "Orb::TAboutForm"}));

        m.Item("F11")->trigger();
        QCOMPARE(m_sink->last(), QString("找不到帮助文件：") + TMainForm::HelpFilePath());
    }

    void inputMethodCommand()
    {
        ScopedDialogHandler handler([](QDialog *d) {
            auto *f = qobject_cast<TSelectImesForm *>(d);
            if (!f || d->windowTitle() != "输入法选择窗口")
                return int(QDialog::Rejected);
            f->OrbComboBox1->setCurrentIndex(f->OrbComboBox1->count() - 1);   // an empty entry
            return int(QDialog::Accepted);
        });
        ImeName = "old";
        WriteRegistryText("OrbCashierImes", "old");
        m_main->Item("N35")->trigger();
        QVERIFY(ImeName.isEmpty());
        QVERIFY(ReadRegistryText("OrbCashierImes").isEmpty());
    }

    void choiceWindowNeedsAChoice()
    {
        TSelectReportForm f;
        QCOMPARE(f.windowTitle(), QString("打印选择窗口"));
        QVERIFY(f.RadioButton3->isHidden());
        f.Button_ok->click();
        QCOMPARE(m_sink->last(), QString("必须选择一个选项"));
        QCOMPARE(f.result(), 0);
    }

    void singleInstance()
    {
        const QString key = QStringLiteral("single-%1").arg(++g_key);
        SingleInstance first(key);
        QVERIFY(first.acquire());
        QSignalSpy raised(&first, &SingleInstance::raiseRequested);
        SingleInstance second(key);
        QVERIFY(!second.acquire());
        QTRY_COMPARE(raised.size(), 1);

        // The controller of a second main window says so and does not run.
        m_sink->clear();
        const QString mainKey = QStringLiteral("test-%1").arg(++g_key);
        TMainForm running(mainKey);
        QVERIFY(running.Initialized());
        TMainForm duplicate(mainKey);
        QVERIFY(!duplicate.Initialized());
        QCOMPARE(m_sink->last(), QString("程序已经运行"));
    }

    void screenshots()
    {
        m_main->resize(1024, 700);
        m_main->Item("N13")->trigger();
        QVERIFY(m_main->grab().save(QDir::tempPath() + "/orb-shell-main.png"));
        AddSomeUser();
        TLogonForm logon;
        logon.show();
        QVERIFY(logon.grab().save(QDir::tempPath() + "/orb-shell-logon.png"));
    }

private:
    void AddSomeUser()
    {
        QVERIFY(ExecSql("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,"
                        "STOP_RIGHT) "
                        "VALUES('A01','管理员'," + QuotedStr(HashPassword("x")) + ",'是','有效')"));
    }

    SqlEngine m_engine;
    std::unique_ptr<OrbTest::TestDatabase> m_db;
    std::unique_ptr<RecordingMessageSink> m_sink;
    std::unique_ptr<TMainForm> m_main;
};

ORB_TEST_BOTH_ENGINES(TestMainForm)
#include "tst_MainForm.moc"
