#pragma once
// The main window: the whole menu, the tool bar, the picture shortcuts, the
// status bar with the date, and the commands that open business windows and
// run the maintenance procedures through the controller.

#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;

namespace Orb {

class TOrbMain;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // instanceKey: the single-instance name, "Orb" + the title when empty.
    explicit TMainForm(const QString &instanceKey = QString(), QWidget *parent = nullptr);
    ~TMainForm() override;

    // False when another instance already runs: the program ends.
    bool Initialized() const { return m_initialized; }

    TOrbMain *OrbMain;
    QFrame *Panel1;
    QLabel *Image1;
    QToolBar *ToolBar1;
    QWidget *PanelMain;
    QFrame *PanelShow;
    QFrame *PanelArchives;
    QLabel *StatusPanel0;
    QLabel *StatusPanel1;
    QTimer *Timer;

    QAction *Item(const QString &name) const;
    // Enables the commands whose window or procedure is registered.
    void UpdateCommands();
    // The status bar's date, rewritten on every tick of Timer.
    void TimerTimer();
    // The path of the help file beside the program.
    static QString HelpFilePath();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void buildToolBar();
    void buildShortcuts();
    void buildStatusBar();
    void applyStoredLook();
    void placePanels();
    QAction *addItem(QMenu *menu, const char *name, const char *caption);
    void openBusinessWindow(const QString &item);
    void backupClick();
    void restoreClick();
    void deleteDataClick();
    void repairClick();
    void numberingClick();
    void imeClick();
    void pictureClick();
    void colourClick();
    void helpClick();
    void aboutClick();
    void setPanelColour(const QColor &colour);

    bool m_initialized = false;
    bool m_shown = false;
    QList<QToolButton *> m_toolButtons;
};

inline const QString kApplicationTitle = QStringLiteral("Orb出纳记账管理系统");

} // namespace Orb
