#include "app/OrbMain.h"

#include "app/SingleInstance.h"
#include "data/DialogRunner.h"
#include "data/Messages.h"
#include "data/Settings.h"
#include "rights/ChildMessages.h"
#include "rights/OrbChild.h"
#include "rights/RightsModel.h"
#include "rights/WindowRegistry.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <stdexcept>

namespace Orb {

TOrbMain::TOrbMain(QWidget *mainForm) : QObject(mainForm), m_form(mainForm)
{
    setObjectName(QStringLiteral("OrbMain"));
    for (QObject *o : mainForm->children())
        if (o != this && qobject_cast<TOrbMain *>(o))
            throw std::logic_error("TOrbMain");
    mainForm->installEventFilter(this);
}

TOrbMain::~TOrbMain() = default;

QString TOrbMain::AccessKind() const
{
    return DataBaseName.isEmpty() ? QString() : QStringLiteral("Q");
}

bool TOrbMain::Initialize(const QString &applicationTitle)
{
    ChildMessages &m = ChildMessages::instance();
    m.setMainWindow(m_form);
    connect(&m, &ChildMessages::TOrbShowFormMessage, this, &TOrbMain::onShowMessage);
    connect(&m, &ChildMessages::TOrbHideFormMessage, this, &TOrbMain::onHideMessage);
    connect(&m, &ChildMessages::TOrbCloseFormMessage, this, &TOrbMain::onCloseMessage);

    m_instance = new SingleInstance(QStringLiteral("Orb") + applicationTitle, this);
    connect(m_instance, &SingleInstance::raiseRequested, this, [this] {
        if (!m_form)
            return;
        if (m_form->isMinimized())
            m_form->showNormal();
        m_form->raise();
        m_form->activateWindow();
    });
    if (m_instance->acquire())
        return true;
    ShowWarning(kAlreadyRunningText);
    return false;
}

bool TOrbMain::HasRight(const QString &composeName, const QString &programName,
                        const QString &userId)
{
    return HasBrowseRight(composeName, programName, userId);
}

bool TOrbMain::ActivateChild(const QString &name)
{
    for (int i = 0; i < m_children.size(); ++i) {
        if (m_children[i].name != name)
            continue;
        QWidget *w = m_children[i].window;
        if (w) {
            if (w->isMinimized())
                w->showNormal();
            w->raise();
            w->activateWindow();
            return true;
        }
        removeAt(i);   // destroyed without its close message
        return false;
    }
    return false;
}

void TOrbMain::RegisterChild(const QString &name, QWidget *window, int windowId,
                             std::function<void()> onClick, const QString &caption)
{
    HidePanels();
    HideToolBars();
    Record r{windowId, name, window, true, nullptr};
    if (QMenu *menu = OpenWindowsMenu()) {
        menu->setTitle(QStringLiteral("打开的窗口"));
        menu->menuAction()->setVisible(true);
        r.menuItem = menu->addAction(caption);
        connect(r.menuItem, &QAction::triggered, this, [onClick] {
            if (onClick)
                onClick();
        });
    }
    m_children.prepend(r);
}

QWidget *TOrbMain::OpenChild(const QString &name, const QString &caption,
                             std::function<void()> onClick, const RightCheck &allowed)
{
    if (Exclusive) {
        ShowWarning(kExclusiveText);
        return nullptr;
    }
    if (ActivateChild(name)) {
        QWidget *w = ChildWindow(name);
        if (auto *child = w->findChild<TOrbChild *>(QString(), Qt::FindDirectChildrenOnly))
            child->ShowChild(90);
        return w;
    }
    const WindowEntry *entry = FindWindowEntry(name);
    if (!entry || (allowed && !allowed()))
        return nullptr;
    QWidget *w = entry->create(m_form);
    w->setAttribute(Qt::WA_DeleteOnClose);
    auto *child = w->findChild<TOrbChild *>(QString(), Qt::FindDirectChildrenOnly);
    if (!child) {
        child = new TOrbChild(w);
        child->Attach();
    }
    child->NotTopShow = true;
    const int id = child->ShowChild(90);
    if (id == 0) {
        w->close();
        return nullptr;
    }
    RegisterChild(name, w, id, std::move(onClick), caption);
    return w;
}

QStringList TOrbMain::ChildNames() const
{
    QStringList names;
    for (const Record &r : m_children)
        names << r.name;
    return names;
}

QWidget *TOrbMain::ChildWindow(const QString &name) const
{
    for (const Record &r : m_children)
        if (r.name == name)
            return r.window;
    return nullptr;
}

QMenu *TOrbMain::OpenWindowsMenu() const
{
    if (!MainMenu)
        return nullptr;
    const auto actions = MainMenu->actions();
    return MainMenuIndex >= 0 && MainMenuIndex < actions.size()
               ? actions.at(MainMenuIndex)->menu()
               : nullptr;
}

void TOrbMain::setPanelsVisible(bool visible)
{
    if (!IsHidePanel || !m_form)
        return;
    QWidget *host = m_form->findChild<QWidget *>(QStringLiteral("Panel1"));
    for (QObject *o : (host ? host : m_form.data())->children())
        if (auto *w = qobject_cast<QWidget *>(o); w && w->objectName().startsWith("Panel"))
            w->setVisible(visible);
}

void TOrbMain::ShowPanels()
{
    setPanelsVisible(true);
}

void TOrbMain::HidePanels()
{
    setPanelsVisible(false);
}

void TOrbMain::ShowToolBars()
{
    if (!HideToolBar || !m_form)
        return;
    for (QToolBar *bar : m_form->findChildren<QToolBar *>())
        bar->setVisible(true);
}

void TOrbMain::HideToolBars()
{
    if (!HideToolBar || !m_form)
        return;
    for (QToolBar *bar : m_form->findChildren<QToolBar *>())
        bar->setVisible(false);
    if (QWidget *panel = m_form->findChild<QWidget *>(QStringLiteral("MainPanel")))
        panel->setVisible(false);
}

int TOrbMain::indexOf(int id) const
{
    for (int i = 0; i < m_children.size(); ++i)
        if (m_children[i].id == id)
            return i;
    return -1;
}

bool TOrbMain::anyVisible() const
{
    for (const Record &r : m_children)
        if (r.visible)
            return true;
    return false;
}

void TOrbMain::removeAt(int index)
{
    Record r = m_children.takeAt(index);
    delete r.menuItem;
    QMenu *menu = OpenWindowsMenu();
    if (menu && menu->actions().isEmpty()) {
        menu->setTitle(QString());
        menu->menuAction()->setVisible(false);
    }
}

void TOrbMain::onShowMessage(int id)
{
    const int i = indexOf(id);
    if (i < 0)
        return;
    if (!anyVisible()) {
        HidePanels();
        HideToolBars();
    }
    m_children[i].visible = true;
}

void TOrbMain::onHideMessage(int id)
{
    const int i = indexOf(id);
    if (i < 0)
        return;
    m_children[i].visible = false;
    if (!anyVisible()) {
        ShowPanels();
        ShowToolBars();
    }
}

void TOrbMain::onCloseMessage(int id)
{
    const int i = indexOf(id);
    if (i < 0)
        return;
    Exclusive = false;
    m_children[i].visible = false;
    if (!anyVisible()) {
        ShowPanels();
        ShowToolBars();
    }
    removeAt(i);
}

bool TOrbMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_form || event->type() != QEvent::Close)
        return false;
    if (!m_children.isEmpty() && m_children.first().window) {
        ShowWarning(kExitGuardText);
        HidePanels();
        event->ignore();
        return true;
    }
    return false;
}

QString TOrbMain::ChooseImageFile()
{
    if (ImageFile.isEmpty())
        return QString();
    QFileDialog dialog(m_form);
    dialog.setObjectName(QStringLiteral("OpenPictureDialog"));
    dialog.setNameFilter(QStringLiteral("BMP,JPG,JPEG (*.bmp *.jpg *.jpeg *.BMP *.JPG *.JPEG)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (RunModal(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString file = dialog.selectedFiles().first();
    if (!QFileInfo(file).isFile()) {
        ShowWarning(QStringLiteral("图像文件不存在"));
        return QString();
    }
    WriteRegistryText(ImageFile, QFileInfo(file).absoluteFilePath());
    return QFileInfo(file).absoluteFilePath();
}

void TOrbMain::ClearImageFile()
{
    if (!ImageFile.isEmpty())
        WriteRegistryText(ImageFile, QString());
}

QString TOrbMain::ReadImageFile()
{
    if (ImageFile.isEmpty())
        return QString();
    const QString file = ReadRegistryText(ImageFile);
    return !file.isEmpty() && QFileInfo(file).isFile() ? file : QString();
}

} // namespace Orb
