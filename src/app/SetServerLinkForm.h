#pragma once
// The server link settings: server, database user and password of the
// network edition; the connection is tried before the settings are stored.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace Orb {

class TSetServerLinkForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetServerLinkForm(QWidget *parent = nullptr);

    QLineEdit *OrbEdit1;   // server
    QLineEdit *OrbEdit3;   // database user
    QLineEdit *OrbEdit2;   // password
    QPushButton *Button_ok;
    QPushButton *Button_Close;

private:
    void okClick();
};

} // namespace Orb
