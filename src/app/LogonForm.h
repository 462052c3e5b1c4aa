#pragma once
// The logon window: a user id or name and the password; three wrong attempts
// are warned, the fourth ends the program.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace Orb {

class TLogonForm : public QDialog {
    Q_OBJECT
public:
    explicit TLogonForm(QWidget *parent = nullptr);

    QComboBox *UserIDBox;
    QLineEdit *PasswordEdit;
    QPushButton *ButtonOK;
    QPushButton *ButtonCancel;
    QPushButton *ButtonServer;   // the server link settings
    int Failures() const { return m_failures; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void okClick();
    void serverClick();
    int m_failures = 0;
};

} // namespace Orb
