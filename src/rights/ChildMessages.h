#pragma once
// The three notifications a business window sends to the controller of the
// main window: shown (or restored), hidden (minimised) and closed. Each carries
// the window id that TOrbChild handed out; the controller receives them queued,
// after the window's own processing.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace Orb {

class ChildMessages : public QObject {
    Q_OBJECT
public:
    static ChildMessages &instance();

    // The main window business windows are placed against.
    void setMainWindow(QWidget *window) { m_main = window; }
    QWidget *mainWindow() const { return m_main; }
    int nextWindowId() { return ++m_lastId; }

signals:
    void TOrbShowFormMessage(int windowId);
    void TOrbHideFormMessage(int windowId);
    void TOrbCloseFormMessage(int windowId);

private:
    QPointer<QWidget> m_main;
    int m_lastId = 0;
};

} // namespace Orb
