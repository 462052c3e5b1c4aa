#pragma once
// TOrbDataSource: links one TOrbQuery with the window's data-aware controls.
// On every state change it sets the window's look for that state (read-only
// and browse colour while a record is only shown, editable with the edit
// colour while it is edited or inserted), enables the bound buttons by state
// and lets the user's rights switch buttons off.
//
// Usage by a window:
//   auto *ds = new TOrbDataSource(window);   // the window's controls are recoloured
//   ds->setDataSet(query);                    // registers with the query
//   ds->ButtonAdd = ui->button_add; ...       // QAction or any QWidget
//   ds->ActiveColor = true; ds->InitStateChange(); ds->ApplyRights(); ds->ChangeColor();
// Bound controls (TOrbDBEdit & co.) take the data source and a field name.

#include "components/QueryLink.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace Orb {

class TOrbQuery;
class EntryControl;

class TOrbDataSource : public QObject, public QueryLink {
    Q_OBJECT
public:
    // owner: the window whose controls are recoloured (all of them, whichever
    // data source they are bound to).
    explicit TOrbDataSource(QWidget *owner);
    ~TOrbDataSource() override;

    void setDataSet(TOrbQuery *query);
    TOrbQuery *DataSet() const;
    QWidget *owner() const { return m_owner; }

    QColor BrowseColor = QColor(248, 252, 226);   // $00E2FCF8
    QColor EditColor = Qt::white;
    QColor ColorOnFocus = Qt::black;
    bool ActiveColor = false;
    bool AutoEdit = false;       // typing never starts editing by itself

    // Toolbar buttons (QAction or widgets) driven by the state.
    QPointer<QObject> ButtonNew, ButtonAdd, ButtonEdit, ButtonPrint, ButtonCheck, ButtonDelete,
        ButtonCancel, ButtonSave, ButtonFind, ButtonOther, ButtonPrior, ButtonNext, ButtonFirst,
        ButtonLast;
    // Bit buttons driven by the state.
    QPointer<QObject> Button_Add, Button_New, Button_Edit, Button_Delete, Button_Find,
        Button_Prior, Button_Next, Button_First, Button_Last, Button_Check, Button_Print,
        Button_Save, Button_Cancel, Button_Close;
    // Enabled only while browsing.
    QPointer<QObject> SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5;

    bool RightAdd = true;
    bool RightEdit = true;
    bool RightPrint = true;
    bool RightCheck = true;
    bool RightDelete = true;

    // Master part of a master-detail window: only controls with Tag up to 499.
    bool IS_MASTER_CHANGE = false;
    // Detail part: only controls with Tag 500 and above (their tags read minus 500).
    bool IS_DETAIL_CHANGE = false;

    // The window's own state-change handler; called after the data source's.
    std::function<void(TOrbDataSource *)> OnStateChange;

    // Takes over the state-change event once and applies the current state.
    void InitStateChange();
    void ApplyRights();
    void ChangeColor();
    // Enables the bound buttons for the current state.
    void SetButtonsByState();
    // Any state other than edit and insert (an inactive data set included).
    bool browsing() const;

    // Bound controls register here to follow the current record.
    void addBoundControl(EntryControl *control);
    void removeBoundControl(EntryControl *control);
    // Shows the current record in every bound control.
    void refreshBoundControls();
    // Bound controls write their typed text into the record (done as they
    // type; this catches the rest before a save).
    void UpdateRecord();

    // QueryLink
    void setActiveColor(bool on) override { ActiveColor = on; }
    bool focusControl(const QString &name, bool colour) override;
    bool focusField(const QString &field, QObject *control) override;
    void suspend(bool on) override;

signals:
    // Every bound control listens: the current record or its values changed.
    void recordChanged();

private:
    void stateChangedByQuery();
    void colorControl(QWidget *w, bool readOnly, const QColor &color, const QColor &focus);
    QList<QWidget *> windowControls() const;

    QWidget *m_owner;
    QPointer<TOrbQuery> m_query;
    QList<EntryControl *> m_bound;
    bool m_hooked = false;
    bool m_suspended = false;
};

} // namespace Orb
