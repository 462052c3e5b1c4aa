#include "components/OrbNDBGrid.h"

#include "components/EntryBehaviour.h"
#include "data/FloatFormat.h"
#include "components/OrbDataSource.h"
#include "components/OrbQueryModel.h"
#include "components/OrbQueryUnit.h"
#include "rights/WidgetTag.h"
#include "data/ErrorTranslation.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace Orb {

namespace {

class CellAttrDelegate : public QStyledItemDelegate {
public:
    explicit CellAttrDelegate(TOrbNDBGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem *o, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(o, index);
        if (!m_grid->OnApplyCellAttr)
            return;
        TCellAttr a;
        a.row = index.row();
        a.field = m_grid->columnField(index.column());
        a.font = o->font;
        a.background = o->backgroundBrush.style() == Qt::NoBrush
                           ? o->palette.color(QPalette::Base)
                           : o->backgroundBrush.color();
        a.foreground = o->palette.color(QPalette::Text);
        a.selected = o->state & QStyle::State_Selected;
        a.focused = o->state & QStyle::State_HasFocus;
        m_grid->applyCellAttr(index.column(), a);
        o->font = a.font;
        o->backgroundBrush = a.background;
        o->palette.setColor(QPalette::Text, a.foreground);
    }

private:
    TOrbNDBGrid *m_grid;
};

bool IsFooterKind(const QString &kind)
{
    return kind == QLatin1String("@Count") || kind == QLatin1String("@Sum");
}

} // namespace

// --- construction and binding --------------------------------------------------------------

TOrbNDBGrid::TOrbNDBGrid(QWidget *parent)
    : QWidget(parent), m_view(new QTableView(this)), m_footerBar(new GridFooterBar(this, m_view))
{
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(m_view);
    box->addWidget(m_footerBar);
    m_footerBar->hide();
    m_view->setObjectName(QStringLiteral("view"));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setMinimumSectionSize(0);
    m_view->horizontalHeader()->setSectionsMovable(true);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    setFocusProxy(m_view);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this,
            &TOrbNDBGrid::columnResized);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionMoved, this,
            [this] { columnMoved(); });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_footerBar,
            [this] { m_footerBar->update(); });
    installDelegate();
}

TOrbNDBGrid::~TOrbNDBGrid()
{
    if (query())
        query()->removeLink(this);
}

void TOrbNDBGrid::installDelegate()
{
    m_view->setItemDelegate(new CellAttrDelegate(this));
}

TOrbDataSource *TOrbNDBGrid::DataSource() const
{
    return m_source;
}

TOrbQuery *TOrbNDBGrid::query() const
{
    return m_source ? m_source->DataSet() : nullptr;
}

void TOrbNDBGrid::setDataSource(TOrbDataSource *source)
{
    if (query())
        query()->removeLink(this);
    m_source = source;
    TOrbQuery *q = query();
    if (!q)
        return;
    q->addLink(this);
    m_view->setModel(q->model());
    connect(q, &TOrbQuery::currentChanged, this, &TOrbNDBGrid::followQuery);
    connect(q, &TOrbQuery::rowsReset, this, &TOrbNDBGrid::followQuery);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { rowChosen(); });
}

void TOrbNDBGrid::followQuery()
{
    TOrbQuery *q = query();
    if (!q || !m_view->model())
        return;
    const int row = q->RecNo();
    const QModelIndex cur = m_view->currentIndex();
    if (row < 0 || (cur.isValid() && cur.row() == row))
        return;
    const QSignalBlocker block(m_view->selectionModel());
    m_view->setCurrentIndex(m_view->model()->index(row, qMax(0, cur.column())));
    m_view->viewport()->update();
}

void TOrbNDBGrid::rowChosen()
{
    TOrbQuery *q = query();
    const QModelIndex cur = m_view->currentIndex();
    if (!q || !cur.isValid() || q->isEditing() || cur.row() == q->RecNo())
        return;
    Guarded([&] { q->MoveTo(cur.row()); });
}

// --- columns ---------------------------------------------------------------------------------

int TOrbNDBGrid::columnOf(const QString &field) const
{
    TOrbQuery *q = query();
    return q ? q->fieldIndex(field.toUpper()) : -1;
}

QString TOrbNDBGrid::columnField(int column) const
{
    TOrbQuery *q = query();
    return q && column >= 0 && column < q->fields().size() ? q->fields()[column].name : QString();
}

bool TOrbNDBGrid::columnShown(const QString &field) const
{
    const int c = columnOf(field);
    return c >= 0 && !m_view->isColumnHidden(c);
}

int TOrbNDBGrid::columnWidth(const QString &field) const
{
    const int c = columnOf(field);
    return c < 0 ? 0 : m_view->columnWidth(c);
}

void TOrbNDBGrid::setColumnWidth(const QString &field, int pixels)
{
    const int c = columnOf(field);
    if (c >= 0)
        m_view->horizontalHeader()->resizeSection(c, pixels);
}

void TOrbNDBGrid::moveColumn(const QString &field, int toPosition)
{
    const int c = columnOf(field);
    QHeaderView *h = m_view->horizontalHeader();
    if (c >= 0)
        h->moveSection(h->visualIndex(c), toPosition);
}

void TOrbNDBGrid::applyCellAttr(int column, TCellAttr &attr)
{
    if (OnApplyCellAttr)
        OnApplyCellAttr(this, column, attr);
}

// --- layout -------------------------------------------------------------------------------------

void TOrbNDBGrid::LoadLayout()
{
    Layout.GridName = objectName();
    Layout.Load();
}

void TOrbNDBGrid::mergeSavedLayout()
{
    if (Layout.FormName.isEmpty() || !m_fieldsData)
        return;
    m_recording = false;
    try {
        LoadLayout();
        Layout.MergeInto(*m_fieldsData);
    } catch (const std::exception &) {
        // Without a readable layout table the grid shows the window's defaults.
    }
}

void TOrbNDBGrid::defaultWidths()
{
    TOrbQuery *q = query();
    const int digit = m_view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < q->fields().size(); ++c) {
        const TOrbField &f = q->fields()[c];
        m_view->setColumnHidden(c, !f.visible);
        if (f.displayWidth > 0)
            m_view->setColumnWidth(c, f.displayWidth * digit + 8);
    }
}

void TOrbNDBGrid::applyEntries()
{
    TOrbQuery *q = query();
    m_footers = QList<TFooterCell>(q->fields().size());
    if (!m_fieldsData || q->fields().size() <= 1)
        return;
    for (const TFieldsData &e : *m_fieldsData) {
        const int c = columnOf(e.FieldName);
        if (c < 0)
            continue;
        if (!e.Caption.isEmpty())
            q->fields()[c].displayLabel = e.Caption;
        if (e.Width == -1) {
            m_view->setColumnWidth(c, 0);
            m_view->setColumnHidden(c, true);
        } else if (e.Width == -2) {
            m_view->setColumnHidden(c, true);
        } else {
            m_view->setColumnHidden(c, !e.Visible);
        }
        TFooterCell &cell = m_footers[c];
        cell.active = !e.SumKind.isEmpty();
        cell.alignment = IsFooterKind(e.SumKind) || e.DataKind == QLatin1String("N")
                             ? Qt::AlignRight : Qt::AlignLeft;
        if (!IsFooterKind(e.SumKind))
            cell.text = e.SumKind;
    }
}

void TOrbNDBGrid::applySavedOrder()
{
    if (!Layout.SaveOrder)
        return;
    const QStringList order = Layout.orderedNames();
    int position = 0;
    for (const QString &name : order)
        if (columnOf(name) >= 0)
            moveColumn(name, position++);
}

void TOrbNDBGrid::applySavedWidths()
{
    if (Layout.FormName.isEmpty() || !m_fieldsData)
        return;
    try {
        LoadLayout();
    } catch (const std::exception &) {
        return;   // as when merging: without a readable layout table, the defaults
    }
    applySavedOrder();
    for (const TFieldsData &e : *m_fieldsData) {
        const int c = columnOf(e.FieldName);
        const int i = Layout.indexOf(e.FieldName.toUpper());
        if (c < 0 || i < 0 || !e.Visible)
            continue;
        const int w = Layout.Widths[i];
        if (w > 10) {
            m_view->setColumnHidden(c, false);
            m_view->setColumnWidth(c, w);
        } else {
            m_view->setColumnWidth(c, 0);
            m_view->setColumnHidden(c, !IsFooterKind(e.SumKind));
        }
    }
}

void TOrbNDBGrid::ApplyLayout()
{
    TOrbQuery *q = query();
    if (!q || !q->Active())
        return;
    if (Layout.Applied) {
        Layout.Applied = false;
        return;
    }
    m_recording = false;
    defaultWidths();
    applyEntries();
    applySavedWidths();
    if (m_fieldsData)
        for (const TFieldsData &e : *m_fieldsData) {
            const int c = columnOf(e.FieldName);
            if (c >= 0 && (e.Width == -1 || e.Width == -2)) {
                if (e.Width == -1)
                    m_view->setColumnWidth(c, 0);
                m_view->setColumnHidden(c, true);
            }
        }
    Layout.Applied = true;
    computeFooters();
    m_recording = true;
}

void TOrbNDBGrid::SaveLayout()
{
    Layout.GridName = objectName();
    Layout.SaveLayout();
}

void TOrbNDBGrid::columnResized(int, int, int)
{
    TOrbQuery *q = query();
    if (!m_recording || !SetColWidthChange || !q || !q->Active())
        return;
    QHeaderView *h = m_view->horizontalHeader();
    for (int c = 0; c < q->fields().size(); ++c)
        if (!m_view->isColumnHidden(c))
            Layout.RecordWidth(q->fields()[c].name, m_view->columnWidth(c), h->visualIndex(c));
    m_footerBar->update();
}

void TOrbNDBGrid::columnMoved()
{
    TOrbQuery *q = query();
    m_footerBar->update();
    if (!m_recording || !SetColWidthChange || !Layout.SaveOrder || !q || !q->Active())
        return;
    QHeaderView *h = m_view->horizontalHeader();
    for (int c = 0; c < q->fields().size(); ++c) {
        if (m_view->isColumnHidden(c))
            continue;
        const QString &name = q->fields()[c].name;
        if (Layout.indexOf(name) < 0)
            Layout.RecordWidth(name, m_view->columnWidth(c), h->visualIndex(c));
        Layout.RecordOrder(name, h->visualIndex(c));
    }
}

// --- footers -----------------------------------------------------------------------------------

bool TOrbNDBGrid::hasFooters() const
{
    for (const TFooterCell &c : m_footers)
        if (c.active)
            return true;
    return false;
}

void TOrbNDBGrid::computeFooters()
{
    TOrbQuery *q = query();
    if (!q || !q->Active() || !m_fieldsData) {
        m_footerBar->setVisible(false);
        return;
    }
    if (m_footers.size() != q->fields().size())
        applyEntries();
    for (const TFieldsData &e : *m_fieldsData) {
        const int c = columnOf(e.FieldName);
        if (c < 0 || c >= m_footers.size())
            continue;
        if (e.SumKind == QLatin1String("@Sum")) {
            const QString field =
                (e.SumField.isEmpty() ? e.FieldName : e.SumField).toUpper();
            const TOrbField *f = q->field(field);
            const double sum = q->SqlSum(field);
            const QString fmt = f && !f->displayFormat.isEmpty() ? f->displayFormat
                                                                 : QStringLiteral("0.########");
            m_footers[c].text = FormatFloat(fmt, sum);
        } else if (e.SumKind == QLatin1String("@Count")) {
            const qint64 n = q->TotalRecordCount();
            m_footers[c].text = e.CountFormat.isEmpty() ? QString::number(n)
                                                        : FormatFloat(e.CountFormat, double(n));
        }
    }
    m_footerBar->setVisible(hasFooters());
    m_footerBar->update();
}

QString TOrbNDBGrid::FooterText(const QString &field) const
{
    TOrbQuery *q = query();
    const int c = columnOf(field);
    if (!q || q->fields().size() <= 1 || c < 0 || c >= m_footers.size())
        return {};
    return m_footers[c].text;
}

// --- state and focus ----------------------------------------------------------------------------

void TOrbNDBGrid::setEditingLock(bool editing)
{
    if (WidgetTag(this) != 1)
        setEnabled(!editing);
}

bool TOrbNDBGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && FocusColorChange) {
        if (event->type() == QEvent::FocusIn) {
            if (WidgetColor(m_view) != ColorOnFocus)
                m_savedColor = WidgetColor(m_view);
            SetWidgetColor(m_view, ColorOnFocus);
        } else if (event->type() == QEvent::FocusOut && m_savedColor.isValid()) {
            SetWidgetColor(m_view, m_savedColor);
        }
    }
    if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
        emit rightButtonPressed();
    return QWidget::eventFilter(watched, event);
}

// --- footer bar ---------------------------------------------------------------------------------

GridFooterBar::GridFooterBar(TOrbNDBGrid *grid, QTableView *view)
    : QWidget(grid), m_grid(grid), m_view(view)
{
    setObjectName(QStringLiteral("footer"));
    setAutoFillBackground(true);
}

QSize GridFooterBar::sizeHint() const
{
    return QSize(100, fontMetrics().height() + 8);
}

void GridFooterBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const QHeaderView *h = m_view->horizontalHeader();
    const int x0 = m_view->frameWidth() + (m_view->verticalHeader()->isVisible()
                                               ? m_view->verticalHeader()->width() : 0);
    const QList<TFooterCell> &cells = m_grid->footers();
    p.setPen(palette().color(QPalette::Mid));
    for (int c = 0; c < cells.size() && c < h->count(); ++c) {
        if (h->isSectionHidden(c) || h->sectionSize(c) <= 0)
            continue;
        const QRect r(x0 + h->sectionViewportPosition(c), 0, h->sectionSize(c), height());
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (cells[c].text.isEmpty())
            continue;
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(r.adjusted(3, 0, -3, 0), int(cells[c].alignment | Qt::AlignVCenter),
                   cells[c].text);
    }
}

} // namespace Orb
