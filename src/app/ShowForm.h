#pragma once
// The splash window shown while the program starts; it stays at least three
// seconds from the moment it is shown.

#include <QWidget>

class QTimer;

namespace Orb {

class TShowForm : public QWidget {
    Q_OBJECT
public:
    explicit TShowForm(QWidget *parent = nullptr);
    QTimer *tmMainTimer;
    bool timerRunning() const;

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace Orb
