#include "rights/OrbChild.h"

#include "data/Messages.h"
#include "rights/ChildInterfaces.h"
#include "rights/ChildMessages.h"
#include "rights/ChildPlacement.h"
#include "rights/WidgetTag.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolBar>
#include <QWidget>
#include <stdexcept>

namespace Orb {

namespace {

bool IsMemo(const QWidget *w)
{
    return qobject_cast<const QTextEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w);
}

void Post(void (ChildMessages::*signal)(int), int id)
{
    ChildMessages *m = &ChildMessages::instance();
    QMetaObject::invokeMethod(
        m, [m, signal, id] { (m->*signal)(id); }, Qt::QueuedConnection);
}

QString Css(unsigned c)
{
    return FromTColor(c).name();
}

} // namespace

TOrbChild::TOrbChild(QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("OrbChild"));
    for (QObject *o : window->children())
        if (o != this && qobject_cast<TOrbChild *>(o))
            throw std::logic_error("TOrbChild控件只能有一个");
}

TOrbChild::~TOrbChild()
{
    if (m_attached)
        qApp->removeEventFilter(this);
}

void TOrbChild::Attach()
{
    if (m_attached || !m_window)
        return;
    m_attached = true;
    m_windowId = ChildMessages::instance().nextWindowId();
    m_window->installEventFilter(this);
    qApp->installEventFilter(this);
    ApplyStyle();
}

int TOrbChild::ShowChild(int mode)
{
    if (!m_window)
        return 0;
    try {
        QWidget *main = ChildMessages::instance().mainWindow();
        const QPoint origin = main ? main->pos() : QPoint(0, 0);
        QPoint at = origin;
        if (main && WidgetTag(m_window) != 10)
            at += ChildPlacement(main->height(), main->width(), m_window->height(),
                                 m_window->width());
        if (m_windowId != -1)
            Post(&ChildMessages::TOrbShowFormMessage, m_windowId);
        if (!m_window->isVisible()) {
            const bool onTop = m_window->windowFlags() & Qt::WindowStaysOnTopHint;
            if (mode != 1 && !NotTopShow && !onTop)
                m_window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            m_window->move(at);
            m_window->show();
        } else {
            m_window->move(at);
        }
        return m_windowId;
    } catch (const std::exception &) {
        if (m_windowId != -1)
            Post(&ChildMessages::TOrbCloseFormMessage, m_windowId);
        return 0;
    }
}

TRights TOrbChild::GetRights(const QString &groupName, const QString &programName,
                             const QString &userId) const
{
    return Orb::GetRights(groupName, programName, userId);
}

QString TOrbChild::GetRight(const QString &userId, int groupId, int kind, int programId) const
{
    return Orb::GetRight(userId, groupId, kind, programId);
}

bool TOrbChild::SetRight(const QString &userId, int groupId, const QString &value, int kind,
                         int programId) const
{
    return Orb::SetRight(userId, groupId, value, kind, programId);
}

void TOrbChild::ApplyStyle()
{
    if (!m_window)
        return;
    const bool gb = Language == QLatin1String("GB");
    auto font = [&](QWidget *w) {
        QFont f = w->font();
        f.setFamily(gb ? QStringLiteral("宋体") : QStringLiteral("細明體"));
        if (WidgetTag(w) != 10)
            f.setPointSize(gb ? 9 : 10);
        w->setFont(f);
    };
    auto colours = [&](QWidget *w, const char *kind) {
        unsigned normal = Color, focus = Color;
        if (WidgetTag(w) == 3)
            normal = focus = LabelColor;
        else if (WidgetTag(w) == 100) {
            normal = EditColor;
            focus = ColorOnFocus;
        }
        w->setStyleSheet(QStringLiteral("%1{background-color:%2;} %1:focus{background-color:%3;}")
                             .arg(QLatin1String(kind), Css(normal), Css(focus)));
    };
    for (QObject *o : m_window->findChildren<QObject *>()) {
        if (auto *ds = dynamic_cast<IOrbDataSet *>(o)) {
            ds->SetDataBaseName(DataBaseName);
            ds->SetSqlType(SqlType);
        }
        auto *w = qobject_cast<QWidget *>(o);
        if (!w)
            continue;
        if (qobject_cast<QLineEdit *>(w) && !qobject_cast<QComboBox *>(w->parentWidget())) {
            colours(w, "QLineEdit");
            font(w);
        } else if (qobject_cast<QComboBox *>(w)) {
            colours(w, "QComboBox");
            font(w);
        } else if (auto *view = qobject_cast<QAbstractItemView *>(w)) {
            if (qobject_cast<QComboBox *>(view->parentWidget()))
                continue;
            QPalette p = view->palette();
            p.setColor(QPalette::Base, FromTColor(Color));
            view->setPalette(p);
            view->viewport()->setCursor(Qt::PointingHandCursor);
            if (WidgetTag(w) != 100)
                font(w);
        } else if (qobject_cast<QLabel *>(w) && (WidgetTag(w) == 0 || WidgetTag(w) == 10)) {
            font(w);
        }
    }
}

bool TOrbChild::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_window)
        return false;
    if (watched == m_window) {
        if (event->type() == QEvent::Close)
            return handleClose(event);
        if (event->type() == QEvent::WindowStateChange && m_windowId != -1) {
            // The platform may report one change twice: act on real changes only.
            if (m_window->isMinimized() == m_minimized)
                return false;
            m_minimized = m_window->isMinimized();
            if (m_window->isMinimized()) {
                QWidget *main = ChildMessages::instance().mainWindow();
                if (MainMenuChange && main)
                    for (QToolBar *bar : main->findChildren<QToolBar *>())
                        bar->setVisible(true);
                Post(&ChildMessages::TOrbHideFormMessage, m_windowId);
            } else {
                Post(&ChildMessages::TOrbShowFormMessage, m_windowId);
            }
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w != QApplication::focusWidget() || !m_window->isAncestorOf(w))
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (event->type() == QEvent::ShortcutOverride)
        return false;
    return handleKey(w, key);
}

bool TOrbChild::handleKey(QWidget *focus, int key)
{
    if (!EnterMove || Options == 0)
        return false;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && (Options & moEnter)) {
        if (auto *edit = dynamic_cast<IOrbEditControl *>(focus); edit && edit->HandleEnter())
            return true;
        if (IsMemo(focus))
            return false;   // a line break in the memo
        if (auto *button = qobject_cast<QAbstractButton *>(focus)) {
            button->click();
            return true;
        }
        moveFocus(focus, true);
        return EditNoBeep;
    }
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && (Options & moUpDn)) {
        if (IsMemo(focus) || qobject_cast<QAbstractItemView *>(focus))
            return false;   // the grid moves its row, the memo its line
        moveFocus(focus, key == Qt::Key_Down);
        return true;
    }
    return false;
}

void TOrbChild::moveFocus(QWidget *from, bool forward)
{
    QWidget *w = from;
    for (;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from)
            return;
        if (m_window->isAncestorOf(w) && w->isVisible() && w->isEnabled()
            && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

bool TOrbChild::handleClose(QEvent *event)
{
    const auto objects = m_window->findChildren<QObject *>();
    for (QObject *o : objects) {
        auto *ds = dynamic_cast<IOrbDataSet *>(o);
        if (ds && WidgetTag(o) == 0 && ds->IsEditing()) {
            ShowWarningOn(m_window, QStringLiteral("必须先保存或取消新增的数据或修改后的数据"));
            event->ignore();
            return true;
        }
    }
    // The window's own close handling may still refuse.
    static_cast<QObject *>(m_window.data())->event(event);
    if (!event->isAccepted())
        return true;
    for (QObject *o : objects) {
        if (auto *ds = dynamic_cast<IOrbDataSet *>(o))
            ds->CloseDataSet();
        if (auto *grid = dynamic_cast<IOrbLayoutSaver *>(o))
            grid->SaveLayout();
    }
    if (m_windowId != -1) {
        Post(&ChildMessages::TOrbCloseFormMessage, m_windowId);
        m_windowId = -1;
    }
    return true;
}

} // namespace Orb
