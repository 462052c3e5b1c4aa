#include "components/OrbDataSource.h"

#include "components/EntryControl.h"
#include "components/EntryBehaviour.h"
#include "components/OrbQueryUnit.h"
#include "components/Tag.h"

#include <QAction>
#include <QWidget>

namespace Orb {

namespace {

void SetEnabled(QObject *o, bool on)
{
    if (auto *a = qobject_cast<QAction *>(o))
        a->setEnabled(on);
    else if (auto *w = qobject_cast<QWidget *>(o))
        w->setEnabled(on);
}

bool IsEnabled(QObject *o)
{
    if (auto *a = qobject_cast<QAction *>(o))
        return a->isEnabled();
    if (auto *w = qobject_cast<QWidget *>(o))
        return w->isEnabled();
    return false;
}

void KeepOnlyWithRight(bool right, std::initializer_list<QObject *> buttons)
{
    for (QObject *b : buttons)
        if (b && !right && IsEnabled(b))
            SetEnabled(b, false);
}

} // namespace

TOrbDataSource::TOrbDataSource(QWidget *owner) : QObject(owner), m_owner(owner) {}

TOrbDataSource::~TOrbDataSource()
{
    if (m_query)
        m_query->removeLink(this);
}

void TOrbDataSource::setDataSet(TOrbQuery *query)
{
    if (m_query) {
        m_query->removeLink(this);
        disconnect(m_query, nullptr, this, nullptr);
    }
    m_query = query;
    if (!query)
        return;
    query->addLink(this);
    connect(query, &TOrbQuery::stateChanged, this, &TOrbDataSource::stateChangedByQuery);
    for (auto sig : {&TOrbQuery::currentChanged, &TOrbQuery::rowsReset, &TOrbQuery::stateChanged})
        connect(query, sig, this, &TOrbDataSource::refreshBoundControls);
    connect(query, &TOrbQuery::rowChanged, this, &TOrbDataSource::refreshBoundControls);
    connect(query, &QObject::destroyed, this, [this] { m_query = nullptr; });
}

TOrbQuery *TOrbDataSource::DataSet() const
{
    return m_query;
}

bool TOrbDataSource::browsing() const
{
    return !m_query || !m_query->isEditing();
}

void TOrbDataSource::InitStateChange()
{
    if (m_hooked)
        return;
    m_hooked = true;
    stateChangedByQuery();
}

void TOrbDataSource::stateChangedByQuery()
{
    if (m_hooked && ActiveColor) {
        ChangeColor();
        SetButtonsByState();
        ApplyRights();
    }
    if (OnStateChange)
        OnStateChange(this);
}

void TOrbDataSource::SetButtonsByState()
{
    const bool b = browsing();
    for (QObject *o : {ButtonNew.data(), ButtonAdd.data(), ButtonEdit.data(), ButtonPrint.data(),
                       ButtonCheck.data(), ButtonFind.data(), ButtonOther.data(),
                       ButtonDelete.data(), ButtonPrior.data(), ButtonNext.data(),
                       ButtonFirst.data(), ButtonLast.data(), Button_Add.data(), Button_New.data(),
                       Button_Edit.data(), Button_Delete.data(), Button_Prior.data(),
                       Button_Next.data(), Button_First.data(), Button_Last.data(),
                       Button_Print.data(), Button_Find.data(), Button_Check.data(),
                       Button_Close.data(), SpeedButton1.data(), SpeedButton2.data(),
                       SpeedButton3.data(), SpeedButton4.data(), SpeedButton5.data()})
        if (o)
            SetEnabled(o, b);
    for (QObject *o : {ButtonSave.data(), ButtonCancel.data(), Button_Save.data(),
                       Button_Cancel.data()})
        if (o)
            SetEnabled(o, !b);
}

void TOrbDataSource::ApplyRights()
{
    KeepOnlyWithRight(RightAdd, {ButtonNew, ButtonAdd, Button_Add, Button_New});
    KeepOnlyWithRight(RightEdit, {ButtonEdit, Button_Edit});
    KeepOnlyWithRight(RightPrint, {ButtonPrint, Button_Print});
    KeepOnlyWithRight(RightCheck, {ButtonCheck, Button_Check});
    KeepOnlyWithRight(RightDelete, {ButtonDelete, Button_Delete});
}

QList<QWidget *> TOrbDataSource::windowControls() const
{
    return m_owner ? m_owner->findChildren<QWidget *>() : QList<QWidget *>();
}

void TOrbDataSource::colorControl(QWidget *w, bool readOnly, const QColor &color,
                                  const QColor &focus)
{
    EntryControl *c = AsEntryControl(w);
    c->setEntryReadOnly(readOnly);
    c->setEntryColors(color, focus);
}

void TOrbDataSource::ChangeColor()
{
    const bool R = browsing();
    const QColor color = R ? BrowseColor : EditColor;
    const QColor focus = R ? BrowseColor : ColorOnFocus;
    const bool master = IS_MASTER_CHANGE;
    const bool detail = !master && IS_DETAIL_CHANGE;
    const bool plain = !master && !detail;

    for (QWidget *w : windowControls()) {
        int t = Tag(w);
        if (master && t > 499)
            continue;
        if (detail) {
            if (t < 500)
                continue;
            t -= 500;
        }
        EntryControl *c = AsEntryControl(w);
        const EntryKind kind = c ? c->entryKind() : EntryKind::Edit;
        if (c && kind == EntryKind::Grid) {
            if (t != 1)
                w->setEnabled(R);
            continue;
        }
        if (plain && (t == 30 || t == 5)) {
            w->setEnabled(R);
            continue;
        }
        if (plain && t == 100)
            continue;
        if (t == 3 || t == 4) {
            if (c && kind == EntryKind::DBEdit) {
                c->setEntryReadOnly(true);
                w->setFocusPolicy(Qt::ClickFocus);
            }
            continue;
        }
        if (!c)
            continue;
        switch (kind) {
        case EntryKind::Edit:
        case EntryKind::DBEdit:
        case EntryKind::DBComboBox:
            colorControl(w, R || t == 2, color, focus);
            break;
        case EntryKind::ComboEdit:
            if (master && t == 5)
                break;
            colorControl(w, R || t == 2 || t == 7, color, focus);
            c->setEntryButtonEnabled(t == 6 || t == 7 ? R : !R);
            break;
        case EntryKind::CaptionComboEdit:
            if (master && t == 5)
                break;
            colorControl(w, R || t == 2 || t == 7, color, focus);
            break;
        case EntryKind::LookupListBox:
        case EntryKind::LookupComboBox: {
            bool ro = R && t != 2 && t != 200;
            if (detail && kind == EntryKind::LookupListBox && t == 2)
                ro = true;
            colorControl(w, ro, color, focus);
            break;
        }
        case EntryKind::ComboBox:
            w->setEnabled(R || t == 2);
            c->setEntryColors(color, focus);
            break;
        default:
            break;
        }
    }
}

void TOrbDataSource::addBoundControl(EntryControl *control)
{
    if (control && !m_bound.contains(control))
        m_bound << control;
}

void TOrbDataSource::removeBoundControl(EntryControl *control)
{
    m_bound.removeAll(control);
}

void TOrbDataSource::refreshBoundControls()
{
    if (m_suspended)
        return;
    for (EntryControl *c : m_bound)
        c->refreshFromField();
    emit recordChanged();
}

void TOrbDataSource::UpdateRecord()
{
    if (!m_query || !m_query->isEditing())
        return;
    for (EntryControl *c : m_bound) {
        QWidget *w = c->entryWidget();
        const QVariant t = w->property("text");
        if (t.isValid() && c->entryKind() != EntryKind::LookupComboBox
            && c->entryKind() != EntryKind::LookupListBox && m_query->hasField(c->boundField())
            && m_query->text(c->boundField()) != t.toString())
            m_query->setText(c->boundField(), t.toString());
    }
}

bool TOrbDataSource::focusControl(const QString &name, bool colour)
{
    if (!m_owner || name.isEmpty())
        return false;
    auto *w = m_owner->findChild<QWidget *>(name);
    if (!w || Tag(w) == 5)
        return false;
    w->setFocus();
    if (colour)
        SetWidgetColor(w, ColorOnFocus);
    return true;
}

bool TOrbDataSource::focusField(const QString &field, QObject *control)
{
    if (auto *w = qobject_cast<QWidget *>(control)) {
        w->setFocus();
        return true;
    }
    for (QWidget *w : windowControls()) {
        const int t = Tag(w);
        if (t != 0 && t != 2 && t != 500 && t != 502)
            continue;
        EntryControl *c = AsEntryControl(w);
        if (!c || !c->boundSource() || c->boundSource()->DataSet() != m_query
            || c->boundField().compare(field, Qt::CaseInsensitive) != 0)
            continue;
        const EntryKind k = c->entryKind();
        if (k == EntryKind::DBEdit || k == EntryKind::DBComboBox || k == EntryKind::ComboEdit
            || k == EntryKind::CaptionComboEdit || k == EntryKind::LookupComboBox) {
            w->setFocus();
            return true;
        }
    }
    return false;
}

void TOrbDataSource::suspend(bool on)
{
    m_suspended = on;
    if (!on)
        refreshBoundControls();
}

} // namespace Orb
