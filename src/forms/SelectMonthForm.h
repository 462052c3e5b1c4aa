#pragma once
// 收支年月输入窗口: a year and a month for the money windows.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace Orb {

class TSelectMonthForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectMonthForm(QWidget *parent = nullptr);
    QString InitMonth;      // "YYYY年MM月", read when the window is shown
    QLineEdit *YearEdit;
    QLineEdit *MonthEdit;
    QPushButton *Button_ok;
    QPushButton *Button_Close;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void okClick();
};

} // namespace Orb
