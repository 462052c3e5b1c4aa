#pragma once
// The window in which the logged-on user changes his or her own password.

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace Orb {

class TOrbChild;

class TPasswordChangeForm : public QWidget {
    Q_OBJECT
public:
    explicit TPasswordChangeForm(QWidget *parent = nullptr);

    QLineEdit *OrbEdit3;   // old password
    QLineEdit *OrbEdit1;   // new password
    QLineEdit *OrbEdit2;   // new password again
    QPushButton *Button_ok;
    QPushButton *Button_Close;
    TOrbChild *OrbChild;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void okClick();
    void closeClick();
    void clearNew();
};

} // namespace Orb
