#pragma once
// 删除年份输入窗口: the year whose data is to be deleted.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace Orb {

class TYearForm : public QDialog {
    Q_OBJECT
public:
    explicit TYearForm(QWidget *parent = nullptr);
    QLineEdit *YearEdit;
    QPushButton *Button_ok;
    QPushButton *Button_Close;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void okClick();
};

} // namespace Orb
