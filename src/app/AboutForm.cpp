#include "app/AboutForm.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orb {

TAboutForm::TAboutForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("关于"));
    auto *title = new QLabel(QStringLiteral("Orb出纳记账管理系统"), this);
    title->setObjectName(QStringLiteral("ProductName"));
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    title->setFont(f);
    auto *version = new QLabel(QStringLiteral("版本 1.0（Linux 版）"), this);
    version->setObjectName(QStringLiteral("Version"));
    auto *maker = new QLabel(QStringLiteral("ORBSOFTWARE 出纳记账软件"), this);
    maker->setObjectName(QStringLiteral("Copyright"));
    OKButton = new QPushButton(QStringLiteral("确定"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addWidget(maker, 0, Qt::AlignHCenter);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace Orb
