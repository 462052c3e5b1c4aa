#pragma once
// The first-run enrolment: the company as the root of the department tree,
// the first system user with every right, the numbering schemes and the
// built-in print templates.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace Orb {

class TEnrolForm : public QDialog {
    Q_OBJECT
public:
    explicit TEnrolForm(QWidget *parent = nullptr);

    QLineEdit *OrbEdit1;   // company name
    QLineEdit *OrbEdit6;   // postcode
    QLineEdit *OrbEdit7;   // fax
    QLineEdit *OrbEdit8;   // telephone
    QLineEdit *OrbEdit9;   // address
    QLineEdit *OrbEdit4;   // user id
    QLineEdit *OrbEdit5;   // user name
    QLineEdit *OrbEdit2;   // password
    QLineEdit *OrbEdit3;   // password again
    QComboBox *OrbComboBox1;   // input method, hidden
    QPushButton *Button_Ok;
    QPushButton *Button_Close;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void okClick();
    bool checkRequired();
    void registerTemplates();
};

} // namespace Orb
