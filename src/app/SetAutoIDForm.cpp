#include "app/SetAutoIDForm.h"

#include "data/ErrorTranslation.h"
#include "data/RunTime.h"
#include "data/Settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Orb {

namespace {
const char *const kModes[] = {"按一级账款类别编号", "统一账款编号", "按账款类别编号",
                              "不检查重复编号"};
QString YesNo(bool on)
{
    return on ? QStringLiteral("是") : QStringLiteral("否");
}
} // namespace

TSetAutoIDForm::TSetAutoIDForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetAutoIDForm"));
    setWindowTitle(QStringLiteral("编号方式设置窗口"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto box = [this](const char *name, const char *caption) {
        auto *b = new QCheckBox(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    CheckBox1 = box("CheckBox1", "系统自动填写资金借贷编号");
    CheckBox2 = box("CheckBox2", "系统自动填写员工编号");
    CheckBox4 = box("CheckBox4", "系统按财务记账格式显示金额");
    CheckBox3 = box("CheckBox3", "系统自动备份数据");
    RadioGroup1 = new QGroupBox(QStringLiteral("账款收支编号方式设置"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto *grid = new QGridLayout(RadioGroup1);
    for (int i = 0; i < 4; ++i) {
        RadioItems[i] = new QRadioButton(QString::fromUtf8(kModes[i]), RadioGroup1);
        RadioItems[i]->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        grid->addWidget(RadioItems[i], i / 2, i % 2);
    }
    Button_ok = new QPushButton(QStringLiteral("确定"), this);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    auto *layout = new QVBoxLayout(this);
    for (QCheckBox *b : {CheckBox1, CheckBox2, CheckBox4, CheckBox3})
        layout->addWidget(b);
    layout->addWidget(RadioGroup1);
    layout->addWidget(Button_ok, 0, Qt::AlignHCenter);
    connect(Button_ok, &QPushButton::clicked, this, [this] {
        Guarded([this] { save(); });
        accept();
    });
    load();
}

int TSetAutoIDForm::ItemIndex() const
{
    for (int i = 0; i < 4; ++i)
        if (RadioItems[i]->isChecked())
            return i;
    return -1;
}

void TSetAutoIDForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    load();
}

void TSetAutoIDForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Button_ok->click();   // Esc confirms here, as the only button does
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSetAutoIDForm::load()
{
    CheckBox1->setChecked(IsSettingOn(QStringLiteral("借贷编号")));
    CheckBox2->setChecked(IsSettingOn(QStringLiteral("员工编号")));
    CheckBox4->setChecked(!IsSettingOn(QStringLiteral("非财务格式")));
    CheckBox3->setChecked(!IsSettingOn(QStringLiteral("不自动数据备份")));
    const int mode = ReadNumberingMode();
    if (mode >= 0 && mode < 4)
        RadioItems[mode]->setChecked(true);
}

void TSetAutoIDForm::save()
{
    const int index = ItemIndex();
    WriteSetting(QStringLiteral("非财务格式"), YesNo(!CheckBox4->isChecked()));
    WriteSetting(QStringLiteral("借贷编号"), YesNo(CheckBox1->isChecked()));
    WriteSetting(QStringLiteral("员工编号"), YesNo(CheckBox2->isChecked()));
    WriteSetting(QStringLiteral("不自动数据备份"), YesNo(!CheckBox3->isChecked()));
    WriteSetting(QStringLiteral("分类编号"), QString::number(index < 0 ? 1 : index));
    FinanceFormat = CheckBox4->isChecked();
    NumberingMode = index < 0 ? 1 : index;
}

} // namespace Orb
