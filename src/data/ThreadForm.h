#pragma once
// The window of the progress component.

#include "data/OrbThread.h"

#include <QDialog>

class QProgressBar;
class QPushButton;

namespace Orb {

class TThreadForm : public QDialog {
    Q_OBJECT
public:
    explicit TThreadForm(TOptionKind kind, QWidget *parent = nullptr);
    QProgressBar *ProgressBar1;
    QProgressBar *ProgressBar2;
    QProgressBar *ProgressBar3;
    QProgressBar *Animation;    // an indeterminate bar stands for the animation
    QPushButton *button_close;
    bool stopRequested() const { return m_stop; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_stop = false;
};

} // namespace Orb
