#include "app/LogonForm.h"

#include "app/SetServerLinkForm.h"
#include "data/DialogRunner.h"
#include "data/ErrorTranslation.h"
#include "data/OrbFun.h"
#include "data/Settings.h"
#include "rights/OrbChild.h"
#include "rights/UserPassword.h"
#include "rights/WidgetTag.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSqlQuery>

namespace Orb {

TLogonForm::TLogonForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LogonForm"));
    setWindowTitle(QStringLiteral("用户登陆窗口"));
    UserIDBox = new QComboBox(this);
    UserIDBox->setObjectName(QStringLiteral("UserIDBox"));
    UserIDBox->setEditable(true);
    UserIDBox->setInsertPolicy(QComboBox::NoInsert);
    UserIDBox->setMinimumWidth(180);
    PasswordEdit = new QLineEdit(this);
    PasswordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    PasswordEdit->setEchoMode(QLineEdit::Password);
    for (QWidget *w : {static_cast<QWidget *>(UserIDBox), static_cast<QWidget *>(PasswordEdit)})
        SetWidgetTag(w, 100);
    ButtonOK = new QPushButton(QStringLiteral("确定[F3]"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setAutoDefault(false);
    ButtonServer = new QPushButton(QStringLiteral("服务器设置"), this);
    ButtonServer->setObjectName(QStringLiteral("ButtonServer"));
    ButtonServer->setAutoDefault(false);
    ButtonCancel = new QPushButton(QStringLiteral("取消[F4]"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setAutoDefault(false);

    auto *title = new QLabel(QStringLiteral("Orb出纳记账管理系统"), this);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 5);
    f.setBold(true);
    title->setFont(f);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("用户名称"), UserIDBox);
    form->addRow(QStringLiteral("用户口令"), PasswordEdit);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonServer);
    buttons->addWidget(ButtonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(ButtonOK, &QPushButton::clicked, this, [this] { Guarded([this] { okClick(); }); });
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonServer, &QPushButton::clicked, this,
            [this] { Guarded([this] { serverClick(); }); });
    new QShortcut(QKeySequence(Qt::Key_F3), this, [this] { ButtonOK->click(); });
    new QShortcut(QKeySequence(Qt::Key_F4), this, [this] { ButtonCancel->click(); });

    auto *child = new TOrbChild(this);
    child->Language = QStringLiteral("GB");
    child->Attach();

    auto q = OpenSql(
        QStringLiteral("SELECT  USE_NAME from SYS_USER_TABLE WHERE STOP_RIGHT ='有效'"));
    FillComboBoxItems(UserIDBox, *q, QStringLiteral("USE_NAME"));
    UserIDBox->setCurrentIndex(-1);
    UserIDBox->setEditText(QString());
}

void TLogonForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    UserIDBox->setFocus();
}

void TLogonForm::okClick()
{
    const LogonUser user = FindLogonUser(UserIDBox->currentText(), PasswordEdit->text());
    if (user.found) {
        LogonUserName = user.name;
        LogonUserID = user.id;
        LogonSysUser = user.sysUser;
        ImeName = ReadRegistryText(QStringLiteral("OrbCashierImes"));
        accept();
        return;
    }
    if (m_failures < 3) {
        ++m_failures;
        ShowWarning(QStringLiteral("错误的用户编号或错误的口令"));
        UserIDBox->setFocus();
        return;
    }
    ShowWarning(QStringLiteral("您可能是非法的用户,不能登陆系统"));
    reject();
}

void TLogonForm::serverClick()
{
    TSetServerLinkForm form(this);
    RunModal(&form);
}

} // namespace Orb
