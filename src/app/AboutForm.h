#pragma once
// The about box.

#include <QDialog>

class QPushButton;

namespace Orb {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);
    QPushButton *OKButton;
};

} // namespace Orb
