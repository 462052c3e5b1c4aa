#pragma once
// The generic two-way choice: two radio buttons whose captions the caller
// sets; OK without a choice is refused.

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace Orb {

class TSelectReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectReportForm(QWidget *parent = nullptr);

    QRadioButton *RadioButton1;
    QRadioButton *RadioButton2;
    QRadioButton *RadioButton3;   // stays hidden
    QPushButton *Button_ok;
    QPushButton *Button_Close;

    // 1 or 2 for the checked button, 0 for none.
    int Choice() const;

private:
    void okClick();
};

} // namespace Orb
