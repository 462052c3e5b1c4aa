#include "app/EnrolForm.h"

#include "app/BackupOffer.h"
#include "app/Enrolment.h"
#include "app/SetAutoIDForm.h"
#include "data/DialogRunner.h"
#include "data/ErrorTranslation.h"
#include "data/Messages.h"
#include "data/OrbThread.h"
#include "data/ThreadForm.h"
#include "rights/ImeName.h"
#include "rights/OrbChild.h"
#include "rights/WidgetTag.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>

namespace Orb {

namespace {

// Upper-cases what is typed into the box.
void UpperCase(QLineEdit *edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        const int pos = edit->cursorPosition();
        edit->setText(text.toUpper());
        edit->setCursorPosition(pos);
    });
}

} // namespace

TEnrolForm::TEnrolForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("EnrolForm"));
    setWindowTitle(QStringLiteral("注册窗口"));
    auto edit = [this](const char *name, int maxLength) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(maxLength);
        SetWidgetTag(e, 100);
        return e;
    };
    OrbEdit1 = edit("OrbEdit1", 40);
    OrbEdit6 = edit("OrbEdit6", 6);
    OrbEdit7 = edit("OrbEdit7", 20);
    OrbEdit8 = edit("OrbEdit8", 40);
    OrbEdit9 = edit("OrbEdit9", 40);
    OrbEdit4 = edit("OrbEdit4", 6);
    OrbEdit5 = edit("OrbEdit5", 20);
    OrbEdit2 = edit("OrbEdit2", 10);
    OrbEdit3 = edit("OrbEdit3", 10);
    OrbEdit2->setEchoMode(QLineEdit::Password);
    OrbEdit3->setEchoMode(QLineEdit::Password);
    UpperCase(OrbEdit6);
    UpperCase(OrbEdit4);
    OrbComboBox1 = new QComboBox(this);
    OrbComboBox1->setObjectName(QStringLiteral("OrbComboBox1"));
    OrbComboBox1->addItems(InstalledInputMethods());
    OrbComboBox1->setCurrentIndex(-1);
    OrbComboBox1->hide();

    Button_Ok = new QPushButton(QStringLiteral("确认F3"), this);
    Button_Ok->setObjectName(QStringLiteral("Button_Ok"));
    Button_Ok->setAutoDefault(false);
    Button_Close = new QPushButton(QStringLiteral("关闭F4"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    Button_Close->setAutoDefault(false);

    auto *hint = new QLabel(QStringLiteral("自己输入:单位名称、 用户编号、用户姓名、口令等！"), this);
    hint->setObjectName(QStringLiteral("Label_Hint"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("单位名称"), OrbEdit1);
    form->addRow(QStringLiteral("邮编"), OrbEdit6);
    form->addRow(QStringLiteral("传真"), OrbEdit7);
    form->addRow(QStringLiteral("电话"), OrbEdit8);
    form->addRow(QStringLiteral("单位地址"), OrbEdit9);
    form->addRow(QStringLiteral("用户编号"), OrbEdit4);
    form->addRow(QStringLiteral("用户姓名"), OrbEdit5);
    form->addRow(QStringLiteral("口令"), OrbEdit2);
    form->addRow(QStringLiteral("口令确认"), OrbEdit3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button_Ok);
    buttons->addWidget(Button_Close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(420, height());

    connect(Button_Ok, &QPushButton::clicked, this, [this] { Guarded([this] { okClick(); }); });
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    new QShortcut(QKeySequence(Qt::Key_F3), this, [this] { Button_Ok->click(); });
    new QShortcut(QKeySequence(Qt::Key_F4), this, [this] { Button_Close->click(); });

    auto *child = new TOrbChild(this);
    child->Language = QStringLiteral("GB");
    child->Attach();
}

void TEnrolForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    OrbEdit1->setFocus();
}

bool TEnrolForm::checkRequired()
{
    const std::pair<QLineEdit *, const char *> required[] = {
        {OrbEdit1, "必须输入企业名称"}, {OrbEdit8, "必须输入电话"},
        {OrbEdit9, "必须输入地址"},     {OrbEdit4, "必须输入用户编号"},
        {OrbEdit5, "必须输入用户姓名"}, {OrbEdit2, "必须输入用户口令"},
        {OrbEdit3, "必须确认用户口令"},
    };
    for (const auto &[edit, text] : required) {
        if (edit->text().trimmed().isEmpty()) {
            ShowWarning(QString::fromUtf8(text));
            edit->setFocus();
            return false;
        }
    }
    if (OrbEdit2->text().trimmed() != OrbEdit3->text().trimmed()) {
        ShowWarning(QStringLiteral("口令确认错误"));
        OrbEdit2->setFocus();
        return false;
    }
    return true;
}

void TEnrolForm::okClick()
{
    if (!checkRequired())
        return;
    EnrolmentInput in;
    in.companyName = OrbEdit1->text();
    in.postcode = OrbEdit6->text();
    in.fax = OrbEdit7->text();
    in.phone = OrbEdit8->text();
    in.address = OrbEdit9->text();
    in.userId = OrbEdit4->text();
    in.userName = OrbEdit5->text();
    in.password = OrbEdit2->text();
    in.imeName = OrbComboBox1->currentText();
    CompanyTitle = in.companyName.trimmed();

    for (auto step : {&EnrolCompany, &EnrolUser}) {
        const QString failure = step(in);
        if (!failure.isEmpty()) {
            ShowWarning(failure);
            return;
        }
    }
    EnrolLogon(in);
    SkipAutoBackupOffer = true;
    const QString lineBreak = QStringLiteral("\n\r");
    ShowWarning(QStringLiteral("您的用户名称是：") + in.userName.trimmed() + lineBreak
                + QStringLiteral("用户编号是：") + in.userId.trimmed() + lineBreak
                + QStringLiteral("您的口令是：") + in.password.trimmed()
                + QStringLiteral("       "));
    EnrolRights(in.userId.trimmed());

    hide();
    TSetAutoIDForm numbering(parentWidget());
    RunModal(&numbering);

    registerTemplates();
    accept();
}

void TEnrolForm::registerTemplates()
{
    TOrbThread progress;
    progress.Caption = QStringLiteral("正在建立报表，请稍候.....");
    progress.ShowBar1 = true;
    progress.Start();
    progress.SetMax1(1);
    const QString failure = EnrolPrintTemplates();
    progress.SetPosition1(1);
    progress.Stop();
    if (!failure.isEmpty())
        ShowWarning(failure);
}

} // namespace Orb
