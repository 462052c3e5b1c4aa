#include "app/MainForm.h"

#include "app/AboutForm.h"
#include "app/BackupOffer.h"
#include "app/OrbMain.h"
#include "app/SelectImesForm.h"
#include "app/SelectReportForm.h"
#include "app/SetAutoIDForm.h"
#include "data/DialogRunner.h"
#include "data/ErrorTranslation.h"
#include "data/Messages.h"
#include "data/OrbFun.h"
#include "data/Settings.h"
#include "rights/OrbColors.h"
#include "rights/RightsModel.h"
#include "rights/WindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <cmath>

namespace Orb {

namespace {

// The menu commands that open a business window.
struct WindowCommand {
    const char *item;
    const char *window;
    const char *group;
    const char *program;
};

const WindowCommand kWindowCommands[] = {
    {"N13", "MoneyIntoOutForm", "出纳记账管理", "资金借贷记录录入编辑"},
    {"N17", "IntoOutMoneyAccountForm", "出纳记账管理", "资金账号台账录入编辑"},
    {"N102", "MoneyIntoOutQueryForm", "出纳记账管理", "资金借贷数据统计报表"},
    {"N27", "MoneyAccountForm", "基本数据录入编辑", "资金账号录入编辑"},
    {"N14", "MoneyIntoOutTypeForm", "基本数据录入编辑", "资金借贷科目录入编辑"},
    {"N26", "DeptForm", "基本数据录入编辑", "单位部门资料录入编辑"},
    {"N11", "EmployeeForm", "基本数据录入编辑", "单位员工资料录入编辑"},
    {"USERMENU", "UserForm", "", "用户管理"},
    {"CHANGEPASSWORDMENU", "PasswordChangeForm", "", ""},
};

const WindowCommand *FindCommand(const QString &item)
{
    for (const WindowCommand &c : kWindowCommands)
        if (item == QLatin1String(c.item))
            return &c;
    return nullptr;
}

// Items run by a registered maintenance procedure, and the procedure.
const char *const kProcedureItems[][2] = {
    {"N3", "Backup"}, {"N54", "Restore"}, {"N15", "DataRebuild"}};

const QString kCloseOthersText = QStringLiteral("请先关闭其它的窗口");

QString DateLine()
{
    return Now().date().toString(QStringLiteral("yyyy'年'MM'月'dd'日'"));
}

} // namespace

TMainForm::TMainForm(const QString &instanceKey, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kApplicationTitle);
    setMinimumSize(600, 460);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    setCentralWidget(Panel1);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->hide();

    buildMenu();
    buildToolBar();
    buildShortcuts();
    buildStatusBar();

    OrbMain = new TOrbMain(this);
    OrbMain->DataBaseName = kDataBaseName;
    OrbMain->IsHidePanel = false;
    OrbMain->HideToolBar = false;
    OrbMain->MainMenu = menuBar();
    OrbMain->MainMenuIndex = 4;
    OrbMain->ImageFile = QStringLiteral("OrbBank");
    OrbMain->AboutClick = [this] { aboutClick(); };
    m_initialized = OrbMain->Initialize(instanceKey.isEmpty() ? kApplicationTitle : instanceKey);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(100000);
    connect(Timer, &QTimer::timeout, this, &TMainForm::TimerTimer);

    applyStoredLook();
    UpdateCommands();
    // Opening and closing business windows changes what may run.
    connect(OrbMain->OpenWindowsMenu(), &QMenu::aboutToShow, this, &TMainForm::UpdateCommands);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
}

TMainForm::~TMainForm() = default;

QAction *TMainForm::addItem(QMenu *menu, const char *name, const char *caption)
{
    QAction *a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QLatin1String(name));
    return a;
}

void TMainForm::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto sub = [bar](const char *name, const char *caption) {
        QMenu *m = bar->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    QMenu *n23 = sub("N23", "出纳记账管理");
    addItem(n23, "N13", "资金借贷记录录入编辑");
    addItem(n23, "N17", "资金账号台帐录入编辑");
    addItem(n23, "N102", "资金借贷数据统计报表");
    n23->addSeparator();
    addItem(n23, "N29", "应付账款管理")->setEnabled(false);
    addItem(n23, "N30", "应收账款管理")->setEnabled(false);
    addItem(n23, "N24", "现金流量表管理")->setVisible(false);

    QMenu *n22 = sub("N22", "基本数据录入编辑");
    addItem(n22, "N27", "资金账号录入编辑");
    addItem(n22, "N14", "资金借贷科目录入编辑");
    n22->addSeparator();
    addItem(n22, "N26", "单位部门资料录入编辑");
    addItem(n22, "N11", "单位员工资料录入编辑");

    QMenu *sys = sub("SYSMENU", "系统管理");
    addItem(sys, "USERMENU", "用户管理");
    addItem(sys, "CHANGEPASSWORDMENU", "用户口令修改");
    sys->addSeparator();
    addItem(sys, "N3", "数据备份");
    addItem(sys, "N54", "数据恢复");
    addItem(sys, "N6", "过时数据删除");
    addItem(sys, "N15", "数据修复");
    sys->addSeparator();
    addItem(sys, "N35", "设置输入法")->setVisible(false);
    addItem(sys, "N5", "设置窗口图像")->setVisible(false);
    addItem(sys, "N44", "改变主窗口颜色")->setVisible(false);
    addItem(sys, "N19", "编号方式设置修改");
    sys->addSeparator();
    addItem(sys, "EXITMENU", "退出[T]");

    QMenu *n9 = sub("N9", "帮助[F1]");
    addItem(n9, "F11", "帮助")->setShortcut(QKeySequence(Qt::Key_F1));
    addItem(n9, "N2", "关于");

    QMenu *n7 = sub("N7", " ");
    n7->menuAction()->setVisible(false);

    for (const WindowCommand &c : kWindowCommands) {
        const QString item = QLatin1String(c.item);
        connect(Item(item), &QAction::triggered, this,
                [this, item] { Guarded([&] { openBusinessWindow(item); }); });
    }
    auto on = [this](const char *name, void (TMainForm::*slot)()) {
        connect(Item(QLatin1String(name)), &QAction::triggered, this,
                [this, slot] { Guarded([&] { (this->*slot)(); }); });
    };
    on("N3", &TMainForm::backupClick);
    on("N54", &TMainForm::restoreClick);
    on("N6", &TMainForm::deleteDataClick);
    on("N15", &TMainForm::repairClick);
    on("N19", &TMainForm::numberingClick);
    on("N35", &TMainForm::imeClick);
    on("N5", &TMainForm::pictureClick);
    on("N44", &TMainForm::colourClick);
    on("F11", &TMainForm::helpClick);
    on("N2", &TMainForm::aboutClick);
    connect(Item(QStringLiteral("EXITMENU")), &QAction::triggered, this, &QWidget::close);
}

QAction *TMainForm::Item(const QString &name) const
{
    return menuBar()->findChild<QAction *>(name);
}

void TMainForm::buildToolBar()
{
    ToolBar1 = new QToolBar(Panel1);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(28, 28));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct Button {
        const char *name, *caption, *hint, *item;
        QStyle::StandardPixmap icon;
    };
    const Button buttons[] = {
        {"ToolButton2", "收支管理", "单位收支资料管理", "N13", QStyle::SP_FileDialogDetailedView},
        {"ToolButton1", "单位收支台帐录入编辑", "", "N17", QStyle::SP_FileDialogListView},
        {"ToolButton11", "统计报表", "单位收支数据统计报表", "N102", QStyle::SP_FileDialogContentsView},
        {"ToolButton9", "数据备份", "数据备份", "N3", QStyle::SP_DialogSaveButton},
        {"ToolButton3", "关闭系统", "关闭系统", "EXITMENU", QStyle::SP_DialogCloseButton},
    };
    for (const Button &b : buttons) {
        auto *tb = new QToolButton(ToolBar1);
        tb->setObjectName(QLatin1String(b.name));
        tb->setText(QString::fromUtf8(b.caption));
        tb->setToolTip(QString::fromUtf8(b.hint));
        tb->setIcon(style()->standardIcon(b.icon));
        tb->setIconSize(QSize(28, 28));
        tb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        tb->setAutoRaise(true);
        tb->setMinimumSize(62, 37);
        tb->setProperty("item", QLatin1String(b.item));
        QAction *item = Item(QLatin1String(b.item));
        connect(tb, &QToolButton::clicked, item, &QAction::trigger);
        ToolBar1->addWidget(tb);
        m_toolButtons << tb;
    }
}

void TMainForm::buildShortcuts()
{
    PanelMain = new QWidget(Panel1);
    PanelMain->setObjectName(QStringLiteral("PanelMain"));
    auto *layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(ToolBar1);
    layout->addWidget(PanelMain, 1);

    PanelShow = new QFrame(PanelMain);
    PanelShow->setObjectName(QStringLiteral("PanelShow"));
    PanelShow->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelShow->setStyleSheet(QStringLiteral("QFrame#PanelShow{background:white;}"));
    PanelArchives = new QFrame(PanelShow);
    PanelArchives->setObjectName(QStringLiteral("PanelArchives"));
    PanelArchives->setStyleSheet(QStringLiteral("QFrame#PanelArchives{background:white;}"));

    struct Shortcut {
        const char *image, *text, *item;
        QStyle::StandardPixmap icon;
    };
    const Shortcut shortcuts[] = {
        {"Image17", "资金借贷记录录入编辑", "N13", QStyle::SP_FileDialogDetailedView},
        {"Image22", "资金借贷数据统计报表", "N102", QStyle::SP_FileDialogContentsView},
        {"Image20", "资金账号台账录入编辑", "N17", QStyle::SP_FileDialogListView},
        {"Image2", "资金账号录入编辑", "N27", QStyle::SP_DirIcon},
        {"Image4", "资金借贷科目录入编辑", "N14", QStyle::SP_FileDialogInfoView},
    };
    auto *grid = new QGridLayout(PanelArchives);
    grid->setSpacing(24);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(4, 1);
    auto textLabel = [this](const QString &name, const char *text, const char *item) {
        auto *l = new QLabel(QString::fromUtf8(text), PanelArchives);
        l->setObjectName(name);
        l->setToolTip(QStringLiteral("用鼠标左键双击文字"));
        l->setStyleSheet(QStringLiteral("color:#0000ff; font-size:11pt;"));
        l->setAlignment(Qt::AlignCenter);
        l->setProperty("item", QLatin1String(item));
        l->installEventFilter(this);
        return l;
    };
    int index = 0;
    for (const Shortcut &s : shortcuts) {
        auto *image = new QLabel(PanelArchives);
        image->setObjectName(QLatin1String(s.image));
        image->setPixmap(style()->standardIcon(s.icon).pixmap(48, 48));
        image->setAlignment(Qt::AlignCenter);
        image->setToolTip(QStringLiteral("用鼠标左键双击图标"));
        image->setProperty("item", QLatin1String(s.item));
        image->installEventFilter(this);
        auto *cell = new QVBoxLayout;
        cell->setSpacing(6);
        cell->addWidget(image);
        cell->addWidget(textLabel(QStringLiteral("Label_") + QLatin1String(s.image), s.text,
                                  s.item));
        grid->addLayout(cell, 1 + index / 3, index % 3);
        ++index;
    }
    grid->addWidget(textLabel(QStringLiteral("Label4"), "单位部门资料录入编辑", "N26"), 3, 0);
    grid->addWidget(textLabel(QStringLiteral("Label6"), "单位员工资料录入编辑", "N11"), 3, 1);
}

void TMainForm::buildStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("OrbStatusBar"));
    setStatusBar(bar);
    StatusPanel0 = new QLabel(QStringLiteral("ORBSOFTWARE  Orb出纳记账管理系统"), bar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel1 = new QLabel(DateLine(), bar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    int width = 1024;
    if (QScreen *screen = QGuiApplication::primaryScreen())
        width = screen->geometry().width();
    const int first = int(std::lround(width / 5.0 * 3));
    for (QLabel *l : {StatusPanel0, StatusPanel1})
        l->setAlignment(Qt::AlignCenter);
    StatusPanel0->setMinimumWidth(std::min(first, width - 120));
    bar->addWidget(StatusPanel0, 3);
    bar->addWidget(StatusPanel1, 2);
}

void TMainForm::applyStoredLook()
{
    const QString picture = OrbMain->ReadImageFile();
    if (!picture.isEmpty()) {
        Image1->setPixmap(QPixmap(picture));
        Image1->show();
        Image1->lower();
    }
    const QString colour = ReadRegistryInteger(QStringLiteral("OrbCashierColor"));
    setPanelColour(FromTColor(colour.isEmpty() ? kMainColor : colour.toUInt()));
}

void TMainForm::setPanelColour(const QColor &colour)
{
    QPalette p = Panel1->palette();
    p.setColor(QPalette::Window, colour);
    Panel1->setPalette(p);
}

void TMainForm::UpdateCommands()
{
    for (const WindowCommand &c : kWindowCommands)
        Item(QLatin1String(c.item))->setEnabled(FindWindowEntry(QLatin1String(c.window)));
    Item(QStringLiteral("N6"))->setEnabled(FindWindowEntry(QStringLiteral("DeleteDataForm")));
    for (const auto &p : kProcedureItems)
        Item(QLatin1String(p[0]))->setEnabled(bool(FindProcedure(QLatin1String(p[1]))));
    for (QToolButton *tb : m_toolButtons)
        tb->setEnabled(Item(tb->property("item").toString())->isEnabled());
}

void TMainForm::TimerTimer()
{
    StatusPanel1->setText(DateLine());
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    setWindowTitle(CompanyTitle + kApplicationTitle);
    TimerTimer();
    Timer->start();
    placePanels();
    if (m_shown)
        return;
    m_shown = true;
    if (!SkipAutoBackupOffer)
        if (ProcedureFn offer = FindProcedure(QStringLiteral("AutoBackupOffer")))
            QTimer::singleShot(0, this, [this, offer] { Guarded([&] { offer(this); }); });
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Image1->setGeometry(Panel1->contentsRect());
    placePanels();
}

void TMainForm::placePanels()
{
    PanelShow->setGeometry(0, 20, std::max(0, PanelMain->width() - 20),
                           std::max(0, PanelMain->height() - 40));
    // The shortcut panel is 800 × 580 where it fits, centred.
    const int w = std::min(800, PanelShow->width() - 4);
    const int h = std::min(580, PanelShow->height() - 4);
    PanelArchives->setGeometry(int(std::lround((PanelShow->width() - w) / 2.0)),
                               int(std::lround((PanelShow->height() - h) / 2.0)), w, h);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const QString item = watched->property("item").toString();
        if (QAction *a = item.isEmpty() ? nullptr : Item(item)) {
            UpdateCommands();
            if (a->isEnabled())
                a->trigger();
            else
                ShowWarning(QStringLiteral("请先关闭打开的其它窗口"));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::openBusinessWindow(const QString &item)
{
    const WindowCommand *c = FindCommand(item);
    if (!c)
        return;
    const QString program = QString::fromUtf8(c->program);
    const QString group = QString::fromUtf8(c->group);
    TOrbMain::RightCheck allowed;
    if (item == QLatin1String("USERMENU")) {
        allowed = [program] {
            if (!LogonSysUser)
                ShowWarning(NoRightText(program));
            return LogonSysUser;
        };
    } else if (!group.isEmpty()) {
        allowed = [this, group, program] {
            if (OrbMain->HasRight(group, program, LogonUserID))
                return true;
            ShowWarning(NoRightText(program));
            return false;
        };
    }
    QAction *action = Item(item);
    OrbMain->OpenChild(QString::fromUtf8(c->window), action->text(),
                       [action] { action->trigger(); }, allowed);
}

void TMainForm::backupClick()
{
    if (!OrbMain->HasRight(QStringLiteral("系统管理"), QStringLiteral("数据备份"), LogonUserID)) {
        ShowWarning(NoRightText(QStringLiteral("数据备份")));
        return;
    }
    if (ProcedureFn run = FindProcedure(QStringLiteral("Backup")))
        run(this);
}

void TMainForm::restoreClick()
{
    if (!LogonSysUser) {
        ShowWarning(QStringLiteral("只有系统管理员才能有恢复数据库的权限"));
        return;
    }
    if (ProcedureFn run = FindProcedure(QStringLiteral("Restore")))
        run(this);
}

void TMainForm::deleteDataClick()
{
    const QString name = QStringLiteral("DeleteDataForm");
    if (OrbMain->ChildCount() > 0 && !OrbMain->Exclusive) {
        ShowWarning(kCloseOthersText);
        return;
    }
    if (OrbMain->ActivateChild(name))
        return;
    const QString program = QStringLiteral("过时数据删除");
    if (!OrbMain->HasRight(QStringLiteral("系统管理"), program, LogonUserID)) {
        ShowWarning(NoRightText(program));
        return;
    }
    OrbMain->Exclusive = false;   // a stale deletion window left it set
    QAction *action = Item(QStringLiteral("N6"));
    if (OrbMain->OpenChild(name, action->text(), [action] { action->trigger(); }, nullptr))
        OrbMain->Exclusive = true;
}

void TMainForm::repairClick()
{
    if (OrbMain->ChildCount() > 0 && !OrbMain->Exclusive) {
        ShowWarning(kCloseOthersText);
        return;
    }
    if (!LogonSysUser) {
        ShowWarning(NoRightText(QStringLiteral("数据修复")));
        return;
    }
    if (ProcedureFn run = FindProcedure(QStringLiteral("DataRebuild")))
        run(this);
}

void TMainForm::numberingClick()
{
    if (!LogonSysUser) {
        ShowWarning(QStringLiteral("只有系统管理员才能有设置修改编号方式的权限"));
        return;
    }
    if (OrbMain->ChildCount() > 0) {
        ShowWarning(kCloseOthersText);
        return;
    }
    TSetAutoIDForm form(this);
    RunModal(&form);
}

void TMainForm::imeClick()
{
    TSelectImesForm form(this);
    if (RunModal(&form) != QDialog::Accepted)
        return;
    ImeName = form.OrbComboBox1->currentText();
    WriteRegistryText(QStringLiteral("OrbCashierImes"), ImeName);
}

void TMainForm::pictureClick()
{
    TSelectReportForm form(this);
    form.setWindowTitle(QStringLiteral("操作选择窗口"));
    form.RadioButton1->setText(QStringLiteral("设置新的窗口背景图像"));
    form.RadioButton2->setText(QStringLiteral("清除窗口背景图像"));
    form.RadioButton1->setChecked(true);
    if (RunModal(&form) != QDialog::Accepted)
        return;
    if (form.Choice() == 2) {
        OrbMain->ClearImageFile();
        Image1->hide();
        return;
    }
    const QString file = OrbMain->ChooseImageFile();
    if (file.isEmpty())
        return;
    Image1->setPixmap(QPixmap(file));
    Image1->setGeometry(Panel1->contentsRect());
    Image1->show();
    Image1->lower();
    update();
}

void TMainForm::colourClick()
{
    QColorDialog dialog(Panel1->palette().color(QPalette::Window), this);
    dialog.setObjectName(QStringLiteral("ColorDialog1"));
    if (RunModal(&dialog) != QDialog::Accepted)
        return;
    ShowWarning(QStringLiteral("如果有主窗口图像，只有在\"改变主窗口图像\"菜单里清除窗口背景图像，"
                               "才能看到主窗口颜色"));
    const QColor colour = dialog.currentColor();
    setPanelColour(colour);
    WriteRegistryText(QStringLiteral("OrbCashierColor"), QString::number(ToTColor(colour)));
}

QString TMainForm::HelpFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Orb出纳记账管理系统帮助.chm");
}

void TMainForm::helpClick()
{
    const QString file = HelpFilePath();
    if (!QFileInfo::exists(file)) {
        ShowWarning(QStringLiteral("找不到帮助文件：") + file);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        ShowWarning(QStringLiteral("不能打开帮助文件：") + file);
}

void TMainForm::aboutClick()
{
    TAboutForm about(this);
    RunModal(&about);
}

} // namespace Orb
