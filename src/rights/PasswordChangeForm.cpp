#include "rights/PasswordChangeForm.h"

#include "data/ErrorTranslation.h"
#include "data/Messages.h"
#include "data/RunTime.h"
#include "rights/OrbChild.h"
#include "rights/UserPassword.h"
#include "rights/WidgetTag.h"
#include "rights/WindowRegistry.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace Orb {

TPasswordChangeForm::TPasswordChangeForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PasswordChangeForm"));
    setWindowTitle(QStringLiteral("用户口令修改窗口"));
    setMinimumSize(194, 129);
    setMaximumSize(286, 185);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(10);
        e->setEchoMode(QLineEdit::Password);
        SetWidgetTag(e, 100);
        return e;
    };
    OrbEdit3 = edit("OrbEdit3");
    OrbEdit1 = edit("OrbEdit1");
    OrbEdit2 = edit("OrbEdit2");
    Button_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close = new QPushButton(QStringLiteral("关闭[F4]"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("老口令"), OrbEdit3);
    form->addRow(QStringLiteral("新口令"), OrbEdit1);
    form->addRow(QStringLiteral("确认新口令"), OrbEdit2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(270, 160);

    connect(Button_ok, &QPushButton::clicked, this, [this] { Guarded([this] { okClick(); }); });
    connect(Button_Close, &QPushButton::clicked, this, [this] { closeClick(); });
    new QShortcut(QKeySequence(Qt::Key_F3), this, [this] { Button_ok->click(); });
    new QShortcut(QKeySequence(Qt::Key_F4), this, [this] { Button_Close->click(); });

    OrbChild = new TOrbChild(this);
    OrbChild->Language = QStringLiteral("GB");
    OrbChild->DataBaseName = QStringLiteral("OrbCashierDataBase");
    OrbChild->SqlType = AppSqlType;
    OrbChild->Attach();
}

void TPasswordChangeForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    OrbEdit3->setFocus();
}

void TPasswordChangeForm::okClick()
{
    const QString oldPassword = OrbEdit3->text().trimmed();
    auto refuse = [](QLineEdit *focus, const char *text) {
        ShowWarning(QString::fromUtf8(text));
        focus->setFocus();
    };
    if (oldPassword.isEmpty())
        return refuse(OrbEdit1, "必须输入新口令");
    if (!CheckUserPassword(LogonUserID, oldPassword))
        return refuse(OrbEdit3, "错误的老口令");
    if (OrbEdit1->text().trimmed().isEmpty())
        return refuse(OrbEdit1, "必须输入新口令");
    if (OrbEdit2->text().trimmed().isEmpty())
        return refuse(OrbEdit2, "必须输入新口令");
    if (OrbEdit1->text().trimmed() != OrbEdit2->text().trimmed())
        return refuse(OrbEdit1, "新口令与确认的新口令不一致");
    if (!ChangeUserPassword(LogonUserID, OrbEdit1->text()))
        return refuse(OrbEdit1, "口令改变过程发生错误");
    ShowWarning(QStringLiteral("口令改变成功"));
    clearNew();
    close();
}

void TPasswordChangeForm::closeClick()
{
    clearNew();
    close();
}

void TPasswordChangeForm::clearNew()
{
    OrbEdit1->clear();
    OrbEdit2->clear();
}

void RegisterRightsWindows()
{
    RegisterWindow({QStringLiteral("PasswordChangeForm"), QString(), QString(),
                    [](QWidget *main) { return new TPasswordChangeForm(main); }});
}

} // namespace Orb
