#pragma once
// TOrbDBGrid: the grid with memo and picture cells and ledger-box amounts.
// Memo cells show their text cut to the column width followed by "...";
// picture cells show the picture stretched to the cell; double-clicking a
// memo or picture column opens the shared pop-up TFormMemo ("Memofield")
// bound to the same field. Amount columns listed in AmountColumns are drawn
// as ledger boxes. Focus colour and OnApplyCellAttr as in TOrbNDBGrid.

#include "components/OrbNDBGrid.h"

#include <QDialog>

class QPlainTextEdit;
class QLabel;

namespace Orb {

struct TAmountColumn {
    QString FieldName;
    bool On = true;
    int Boxes = 12;
};

class TOrbDBGrid : public TOrbNDBGrid {
    Q_OBJECT
public:
    explicit TOrbDBGrid(QWidget *parent = nullptr);

    bool MemoEditable = true;
    bool PopWindowClick = true;   // double-click opens the pop-up
    bool IntoDown = false;
    bool EditState = false;
    QList<TAmountColumn> AmountColumns;

    const TAmountColumn *amountColumn(const QString &field) const;
    // Opens the pop-up for the column of the current row (memo or picture).
    void PopupCell(int column);

protected:
    void installDelegate() override;
};

// The shared pop-up of memo and picture cells.
class TFormMemo : public QDialog {
    Q_OBJECT
public:
    static TFormMemo *instance();
    // Shows the field of the query's current record, titled with the caption.
    void showField(TOrbQuery *query, const QString &field, const QString &caption, bool editable);
    QPlainTextEdit *memo() const { return m_memo; }
    QLabel *image() const { return m_image; }

private:
    TFormMemo();
    void writeBack();
    QPlainTextEdit *m_memo;
    QLabel *m_image;
    QPointer<TOrbQuery> m_query;
    QString m_field;
};

} // namespace Orb
