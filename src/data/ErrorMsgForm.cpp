#include "data/ErrorMsgForm.h"

#include "data/Messages.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>

namespace Orb {

TErrorMsgForm::TErrorMsgForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ErrorMsgForm"));
    setWindowTitle(QStringLiteral("信息显示窗口"));
    auto *layout = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFont(QFont(QStringLiteral("宋体"), 10));
    layout->addWidget(Memo1);
    auto *row = new QHBoxLayout;
    Button_Save = new QPushButton(QStringLiteral("保存"), this);
    Button_Save->setObjectName(QStringLiteral("Button_Save"));
    Button_Close = new QPushButton(QStringLiteral("关闭"), this);
    Button_Close->setObjectName(QStringLiteral("Button_Close"));
    row->addStretch();
    row->addWidget(Button_Save);
    row->addWidget(Button_Close);
    layout->addLayout(row);
    connect(Button_Save, &QPushButton::clicked, this, &TErrorMsgForm::save);
    connect(Button_Close, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 420);
}

bool TErrorMsgForm::saveTo(const QString &path) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&f);
    out << Memo1->toPlainText();
    if (!Memo1->toPlainText().endsWith(QLatin1Char('\n')))
        out << '\n';
    return f.flush();
}

void TErrorMsgForm::save()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存"), FileName,
                                                      QStringLiteral("txt (*.txt)"));
    if (path.isEmpty())
        return;
    if (!saveTo(path))
        ShowWarning(QStringLiteral("文件保存错误: ") + path);
}

} // namespace Orb
