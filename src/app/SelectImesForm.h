#pragma once
// The input-method choice: the installed input methods and three empty
// entries (an empty choice means none).

#include <QDialog>

class QComboBox;
class QPushButton;

namespace Orb {

class TSelectImesForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectImesForm(QWidget *parent = nullptr);

    QComboBox *OrbComboBox1;
    QPushButton *Button_ok;
    QPushButton *Button_Close;
};

} // namespace Orb
