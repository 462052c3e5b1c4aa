#pragma once
// TOrbNDBGrid: the list grid of the business windows. A QTableView over the
// query's model (rows read as the view scrolls) with a footer row, a focus
// colour, captions, visibility and footers ("@Sum", "@Count", fixed text)
// from the window's TFieldsData array, OnApplyCellAttr row painting and the
// per-user saved column layout (see TGridLayout).
//
// Usage by a window, before the query opens:
//   grid->setObjectName("OrbNDBGrid1");            // DBGRID_NAME of the layout
//   grid->setDataSource(dataSource);                // registers with the query
//   grid->SetFieldsData(fieldsData);                // the array the query has too
//   grid->Layout.FormName = "MoneyIntoOutForm";
//   grid->Layout.UserID = LogonUserID;
//   grid->Layout.LayoutTable = "SYS_MONEY_INTO_OUT_TABLE";
// The window's closing calls SaveLayout(). Footer sums and counts come from
// the database (TOrbQuery::SqlSum / TotalRecordCount), never from loading
// the whole list.

#include "components/EntryControl.h"
#include "components/GridLayout.h"
#include "components/QueryLink.h"
#include "components/RecordRules.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QWidget>
#include <functional>

class QTableView;

namespace Orb {

class TOrbDataSource;
class TOrbQuery;
class GridFooterBar;

// The drawing parameters of one cell, given to OnApplyCellAttr.
struct TCellAttr {
    int row = -1;
    QString field;
    QFont font;
    QColor background;
    QColor foreground;
    bool selected = false;
    bool focused = false;
};

struct TFooterCell {
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool active = false;
};

class TOrbNDBGrid : public QWidget, public QueryLink, public EntryControl {
    Q_OBJECT
public:
    explicit TOrbNDBGrid(QWidget *parent = nullptr);
    ~TOrbNDBGrid() override;

    void setDataSource(TOrbDataSource *source);
    TOrbDataSource *DataSource() const;
    TOrbQuery *query() const;
    QTableView *view() const { return m_view; }

    QColor ColorOnFocus = QColor(0, 255, 255);
    bool FocusColorChange = false;
    bool SetColWidthChange = true;
    std::function<void(TOrbNDBGrid *, int column, TCellAttr &)> OnApplyCellAttr;

    TGridLayout Layout;          // FormName, UserID, LayoutTable, SaveOrder, lists
    void SetFieldsData(TFieldsDataArray fieldsData) { m_fieldsData = std::move(fieldsData); }
    TFieldsDataArray FieldsData() const { return m_fieldsData; }

    // --- layout ------------------------------------------------------------------
    void LoadLayout();
    void ApplyLayout();
    bool DropSavedColumn(const QString &field) { return Layout.DropSavedColumn(field); }
    bool RestoreDefaultLayout() { return Layout.RestoreDefaultLayout(); }
    bool ClearLayoutForAll() { return Layout.ClearLayoutForAll(); }
    void SaveLayout();

    // --- columns and footers ------------------------------------------------------
    int columnOf(const QString &field) const;
    QString columnField(int column) const;
    bool columnShown(const QString &field) const;
    int columnWidth(const QString &field) const;
    void setColumnWidth(const QString &field, int pixels);   // as the user drags
    void moveColumn(const QString &field, int toPosition);    // as the user drags
    // The footer text of the column bound to the field; empty when the grid
    // has at most one column or the footer has no value.
    QString FooterText(const QString &field) const;
    bool hasFooters() const;
    // Recomputes the footers (sums and counts by SQL).
    void computeFooters();

    // EntryControl
    EntryKind entryKind() const override { return EntryKind::Grid; }
    QWidget *entryWidget() override { return this; }

    // QueryLink
    void setEditingLock(bool editing) override;
    void refreshFooters() override { computeFooters(); }
    void mergeSavedLayout() override;
    void applyLayout() override { ApplyLayout(); }
    void layoutClosed() override { Layout.Applied = false; }

    const QList<TFooterCell> &footers() const { return m_footers; }
    void applyCellAttr(int column, TCellAttr &attr);

signals:
    void rightButtonPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    virtual void installDelegate();

    QTableView *m_view;
    GridFooterBar *m_footerBar;
    QPointer<TOrbDataSource> m_source;
    TFieldsDataArray m_fieldsData;
    QList<TFooterCell> m_footers;
    bool m_recording = false;
    QColor m_savedColor;

private:
    void applyEntries();
    void applySavedWidths();
    void applySavedOrder();
    void defaultWidths();
    void columnResized(int logical, int oldSize, int newSize);
    void columnMoved();
    void followQuery();
    void rowChosen();
};

// The footer strip under the grid's rows, cell by cell under the columns.
class GridFooterBar : public QWidget {
    Q_OBJECT
public:
    GridFooterBar(TOrbNDBGrid *grid, QTableView *view);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    TOrbNDBGrid *m_grid;
    QTableView *m_view;
};

} // namespace Orb
