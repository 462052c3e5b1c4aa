#include "app/SetServerLinkForm.h"

#include "app/ServerLink.h"
#include "data/ErrorTranslation.h"
#include "data/Messages.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Orb {

TSetServerLinkForm::TSetServerLinkForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetServerLinkForm"));
    setWindowTitle(QStringLiteral("服务器数据库联结参数设置窗口"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    OrbEdit1 = edit("OrbEdit1");
    OrbEdit3 = edit("OrbEdit3");
    OrbEdit2 = edit("OrbEdit2");
    OrbEdit2->setEchoMode(QLineEdit::Password);
    LinkConfig current;
    if (ReadLink(&current) && current.isPostgres()) {
        OrbEdit1->setText(current.port == 5432
                              ? current.host
                              : current.host + QLatin1Char(':') + QString::number(current.port));
        OrbEdit3->setText(current.user);
    }

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *form = new QFormLayout(panel);
    form->addRow(QStringLiteral("服务器名称"), OrbEdit1);
    form->addRow(QStringLiteral("数据库用户名称"), OrbEdit3);
    form->addRow(QStringLiteral("用户口令"), OrbEdit2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    for (const char *line : {"服务器名称---安装数据库服务器的电脑名称或IP地址，可带端口（名称:端口）。",
                             "数据库用户名称---数据库服务器的用户名，默认是：postgres",
                             "用户口令---数据库服务器的用户口令，只保存在本用户的配置文件里。",
                             "其它客户端电脑参数设置完全相同"})
        layout->addWidget(new QLabel(QString::fromUtf8(line), this));
    auto *red = new QLabel(QStringLiteral("网络版软件需要安装 PostgreSQL 数据库服务器软件。"), this);
    red->setStyleSheet(QStringLiteral("color: red;"));
    layout->addWidget(red);

    Button_ok = new QPushButton(QStringLiteral("确定"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_Close = new QPushButton(QStringLiteral("关闭"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_ok);
    buttons->addWidget(Button_Close);
    layout->addLayout(buttons);
    connect(Button_ok, &QPushButton::clicked, this, [this] { Guarded([this] { okClick(); }); });
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSetServerLinkForm::okClick()
{
    if (OrbEdit1->text().trimmed().isEmpty()) {
        ShowWarning(QStringLiteral("必须输入服务器名称"));
        OrbEdit1->setFocus();
        return;
    }
    LinkConfig current;
    ReadLink(&current);
    const LinkConfig link =
        ServerLinkFrom(current, OrbEdit1->text(), OrbEdit3->text(), OrbEdit2->text());
    const QString reason = TryServerLink(link);
    if (!reason.isEmpty()) {
        ShowWarning(QStringLiteral("不能联结服务器数据库，参数没有保存：") + reason);
        return;
    }
    const QString error = SaveServerLink(link);
    if (!error.isEmpty()) {
        ShowWarning(error);
        return;
    }
    ShowWarning(QStringLiteral("服务器数据库联结参数已经保存，重新启动软件后生效"));
    accept();
}

} // namespace Orb
