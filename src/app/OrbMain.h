#pragma once
// The controller of the main window: the rights look-up of a menu command,
// the list of open business windows and the "打开的窗口" menu built from it,
// the notifications of the business windows, the exclusive flag, the exit
// guard, the single-instance check and the background picture setting.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace Orb {

class SingleInstance;

class TOrbMain : public QObject {
    Q_OBJECT
public:
    // Throws std::logic_error("TOrbMain") when the form already has one.
    explicit TOrbMain(QWidget *mainForm);
    ~TOrbMain() override;

    bool HideToolBar = false;
    QString DataBaseName;
    bool IsHidePanel = true;
    QMenuBar *MainMenu = nullptr;
    int MainMenuIndex = 0;
    QString ImageFile;
    std::function<void()> AboutClick;
    // True while a window that must be alone is open.
    bool Exclusive = false;

    QString AccessKind() const;
    // Listens to the business windows and runs the single-instance check;
    // false when the program already runs (the caller then ends).
    bool Initialize(const QString &applicationTitle);

    bool HasRight(const QString &composeName, const QString &programName,
                  const QString &userId);
    bool ActivateChild(const QString &name);
    void RegisterChild(const QString &name, QWidget *window, int windowId,
                       std::function<void()> onClick, const QString &caption);

    // How a command checks its right before opening a window.
    using RightCheck = std::function<bool()>;
    // The four steps of opening a registered business window: the exclusive
    // flag, an open one comes forward, the right, create, show and register.
    // Returns the open window, or nullptr when refused.
    QWidget *OpenChild(const QString &name, const QString &caption,
                       std::function<void()> onClick, const RightCheck &allowed);

    int ChildCount() const { return int(m_children.size()); }
    QStringList ChildNames() const;
    QWidget *ChildWindow(const QString &name) const;
    QMenu *OpenWindowsMenu() const;

    void ShowPanels();
    void HidePanels();
    void ShowToolBars();
    void HideToolBars();

    QString ChooseImageFile();
    void ClearImageFile();
    QString ReadImageFile();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Record {
        int id;
        QString name;
        QPointer<QWidget> window;
        bool visible;
        QAction *menuItem;
    };

    void onShowMessage(int id);
    void onHideMessage(int id);
    void onCloseMessage(int id);
    int indexOf(int id) const;
    bool anyVisible() const;
    void removeAt(int index);
    void setPanelsVisible(bool visible);

    QPointer<QWidget> m_form;
    QList<Record> m_children;   // head: the most recently registered
    SingleInstance *m_instance = nullptr;
};

// "程序已经运行"
inline const QString kAlreadyRunningText = QStringLiteral("程序已经运行");
inline const QString kExitGuardText =
    QStringLiteral("请先关闭打开的全部子程序后,才能退出系统");
inline const QString kExclusiveText =
    QStringLiteral("当数据备份与恢复窗口打开时,不能打开其它的窗口");

} // namespace Orb
