#pragma once
// The numbering scheme window: the automatic numbers, the amount format, the
// automatic backup and the journal numbering mode, all kept in SYS_ID_TABLE.

#include <QDialog>

class QCheckBox;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace Orb {

class TSetAutoIDForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetAutoIDForm(QWidget *parent = nullptr);

    QCheckBox *CheckBox1;   // 借贷编号
    QCheckBox *CheckBox2;   // 员工编号
    QCheckBox *CheckBox4;   // financial format (非财务格式 off)
    QCheckBox *CheckBox3;   // automatic backup (不自动数据备份 off)
    QGroupBox *RadioGroup1;
    QRadioButton *RadioItems[4];
    QPushButton *Button_ok;

    int ItemIndex() const;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load();
    void save();
};

} // namespace Orb
