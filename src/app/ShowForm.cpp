#include "app/ShowForm.h"

#include "data/RunTime.h"

#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace Orb {

TShowForm::TShowForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ShowForm"));
    ProgramDir = QDir::currentPath();
    WorkDate = Today().toString(kShortDateFormat);

    setStyleSheet(QStringLiteral("background:#C08000; color:white;"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Orb出纳记账管理系统"), this);
    title->setObjectName(QStringLiteral("TitleLabel"));
    QFont f(QStringLiteral("宋体"), 26, QFont::Bold);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    auto *version = new QLabel(QStringLiteral("版本 1.0　　正在启动，请稍候……"), this);
    version->setObjectName(QStringLiteral("VersionLabel"));
    version->setAlignment(Qt::AlignCenter);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addStretch();
    resize(520, 300);

    tmMainTimer = new QTimer(this);
    tmMainTimer->setObjectName(QStringLiteral("tmMainTimer"));
    tmMainTimer->setInterval(3000);
    tmMainTimer->setSingleShot(true);
}

bool TShowForm::timerRunning() const
{
    return tmMainTimer->isActive();
}

void TShowForm::showEvent(QShowEvent *event)
{
    tmMainTimer->start();
    QWidget::showEvent(event);
}

} // namespace Orb
