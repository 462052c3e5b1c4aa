#pragma once
// The progress window of long operations: a stay-on-top window with an
// animation, up to three progress bars and a stop button. The operation runs
// on the main thread and lets events run between its steps.

#include <QObject>
#include <QPointer>
#include <QString>

namespace Orb {

class TThreadForm;

enum TOptionKind { crCopy, crDelete, crFind };

class TOrbThread : public QObject {
    Q_OBJECT
public:
    explicit TOrbThread(QObject *parent = nullptr);
    ~TOrbThread() override;

    QString Caption;
    bool ShowBar1 = false;   // the published ProgressBar1..3 flags
    bool ShowBar2 = false;
    bool ShowBar3 = false;
    TOptionKind Kind = crCopy;

    void Start();
    void Stop();
    bool Active() const { return m_active; }

    void SetMax1(int n);
    void SetPosition1(int n);
    void SetMax2(int n);
    void SetPosition2(int n);

    // Whether the bar is shown; while the window is up also takes over the
    // stop request, which the caller then reads with StopRequested().
    bool ProgressBar1();
    bool ProgressBar2();
    bool ProgressBar3();
    bool StopRequested() const { return m_stop; }

    TThreadForm *window() const;

private:
    void pollStop();

    QPointer<TThreadForm> m_form;
    bool m_active = false;
    bool m_stop = false;
    int m_max1 = 100;
    int m_max2 = 100;
};

} // namespace Orb
