#pragma once
// The date picker "日期选择窗口": a calendar with month and year steps.

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;

namespace Orb {

class TDateForm : public QDialog {
    Q_OBJECT
public:
    explicit TDateForm(QWidget *parent = nullptr);
    void setDate(const QDate &date);
    QDate date() const;
    QCalendarWidget *Calendar;
    QLabel *TitleLabel;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void step(int months);
    void updateTitle();
};

} // namespace Orb
