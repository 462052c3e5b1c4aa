#include "data/ThreadForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orb {

TThreadForm::TThreadForm(TOptionKind kind, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("ThreadForm"));
    setCursor(Qt::ArrowCursor);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("AnimationLabel"));
    label->setText(kind == crDelete ? QStringLiteral("正在删除……")
                   : kind == crFind ? QStringLiteral("正在查找……")
                                    : QStringLiteral("正在复制……"));
    layout->addWidget(label);
    Animation = new QProgressBar(this);
    Animation->setObjectName(QStringLiteral("Animate"));
    Animation->setRange(0, 0);
    Animation->setTextVisible(false);
    layout->addWidget(Animation);
    ProgressBar3 = new QProgressBar(this);
    ProgressBar2 = new QProgressBar(this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar3->setObjectName(QStringLiteral("ProgressBar3"));
    for (QProgressBar *bar : {ProgressBar3, ProgressBar2, ProgressBar1}) {
        bar->hide();
        layout->addWidget(bar);
    }
    button_close = new QPushButton(QStringLiteral("停止"), this);
    button_close->setObjectName(QStringLiteral("button_close"));
    connect(button_close, &QPushButton::clicked, this, [this] { m_stop = true; });
    layout->addWidget(button_close, 0, Qt::AlignCenter);
    setMinimumWidth(360);
}

void TThreadForm::showEvent(QShowEvent *event)
{
    m_stop = false;
    QDialog::showEvent(event);
}

} // namespace Orb
