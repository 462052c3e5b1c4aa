#pragma once
// The guard every business window carries once: it reads the window's rights,
// gives its controls the common look, moves the focus with Enter and the arrow
// keys, refuses to close while a data set is being edited, and reports the
// window's showing, minimising and closing to the main window's controller.

#include "data/RunTime.h"
#include "rights/OrbColors.h"
#include "rights/RightsModel.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace Orb {

enum TMoveOption { moEnter = 1, moUpDn = 2 };

class TOrbChild : public QObject {
    Q_OBJECT
public:
    // Throws std::logic_error("TOrbChild控件只能有一个") for a second one.
    explicit TOrbChild(QWidget *window);
    ~TOrbChild() override;

    bool EnterMove = true;
    int Options = moEnter | moUpDn;
    bool EditNoBeep = true;
    bool NotTopShow = false;
    bool MainMenuChange = false;
    QString DataBaseName;
    unsigned Color = kChildColor;
    unsigned LabelColor = kLabelColor;
    unsigned EditColor = kEditColor;
    unsigned ColorOnFocus = kColorOnFocus;
    QString Language;
    TSqlType SqlType = urStandard;

    void Attach();
    // Shows and places the window; its id, or 0 after a failure.
    int ShowChild(int mode);
    int WindowId() const { return m_windowId; }
    QWidget *window() const { return m_window; }

    TRights GetRights(const QString &groupName, const QString &programName,
                      const QString &userId) const;
    QString GetRight(const QString &userId, int groupId, int kind, int programId) const;
    bool SetRight(const QString &userId, int groupId, const QString &value, int kind,
                  int programId) const;

    // Colours and fonts for every control of the window.
    void ApplyStyle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleKey(QWidget *focus, int key);
    bool handleClose(QEvent *event);
    void moveFocus(QWidget *from, bool forward);

    QPointer<QWidget> m_window;
    int m_windowId = -1;
    bool m_attached = false;
    bool m_minimized = false;
};

} // namespace Orb
