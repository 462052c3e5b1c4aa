#include "components/OrbDBGrid.h"

#include "components/LedgerBoxes.h"
#include "components/OrbQueryUnit.h"
#include "data/ErrorTranslation.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace Orb {

namespace {

class DBGridDelegate : public QStyledItemDelegate {
public:
    explicit DBGridDelegate(TOrbDBGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        TOrbQuery *q = m_grid->query();
        const TOrbField *f = q ? &q->fields()[index.column()] : nullptr;
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        TCellAttr a;
        a.row = index.row();
        a.field = f ? f->name : QString();
        a.font = o.font;
        a.background = (o.state & QStyle::State_Selected) ? o.palette.color(QPalette::Highlight)
                                                          : o.palette.color(QPalette::Base);
        a.foreground = (o.state & QStyle::State_Selected)
                           ? o.palette.color(QPalette::HighlightedText)
                           : o.palette.color(QPalette::Text);
        a.selected = o.state & QStyle::State_Selected;
        m_grid->applyCellAttr(index.column(), a);
        p->save();
        p->fillRect(o.rect, a.background);
        p->setFont(a.font);
        p->setPen(a.foreground);
        const QRect r = o.rect.adjusted(2, 0, -2, 0);
        if (f && f->type == FieldType::Picture)
            paintPicture(p, o.rect, q->value(index.row(), index.column()));
        else if (const TAmountColumn *ac = f ? m_grid->amountColumn(f->name) : nullptr)
            paintLedger(p, o.rect, q->value(index.row(), index.column()).toDouble(), ac->Boxes,
                        a.foreground);
        else if (f && f->type == FieldType::Memo)
            p->drawText(r, Qt::AlignVCenter | Qt::AlignLeft,
                        MemoText(q->textAt(index.row(), index.column()), o.fontMetrics,
                                 r.width()));
        else
            p->drawText(r, int(o.displayAlignment | Qt::AlignVCenter), o.text);
        p->restore();
    }

    static QString MemoText(const QString &text, const QFontMetrics &fm, int width)
    {
        const QString line = text.section(QLatin1Char('\n'), 0, 0);
        const QString ellipsis = QStringLiteral("...");
        if (fm.horizontalAdvance(line) <= width && !text.contains(QLatin1Char('\n')))
            return line;
        QString cut = line;
        while (!cut.isEmpty() && fm.horizontalAdvance(cut + ellipsis) > width)
            cut.chop(1);
        return cut + ellipsis;
    }

    static void paintPicture(QPainter *p, const QRect &r, const QVariant &v)
    {
        QImage image;
        image.loadFromData(v.toByteArray());
        if (!image.isNull())
            p->drawImage(r, image);
    }

    static void paintLedger(QPainter *p, const QRect &r, double amount, int boxes,
                            const QColor &text)
    {
        const LedgerDigits d = LedgerBoxDigits(amount, boxes);
        const int box = p->fontMetrics().horizontalAdvance(QLatin1Char('0')) + 4;
        p->setPen(d.negative ? QColor(Qt::red) : text);
        for (int n = 1; n <= boxes; ++n) {
            const int right = r.right() - (n - 1) * box;
            const QRect cell(right - box + 1, r.top(), box, r.height());
            const QChar c = d.digits[boxes - n];
            if (c != QLatin1Char(' '))
                p->drawText(cell, Qt::AlignCenter, QString(c));
        }
        for (int n = 1; n <= boxes; ++n) {
            const int right = r.right() - (n - 1) * box;
            p->setPen(LedgerLineColor(n));
            p->drawLine(right, r.top(), right, r.bottom());
        }
    }

private:
    TOrbDBGrid *m_grid;
};

} // namespace

TOrbDBGrid::TOrbDBGrid(QWidget *parent) : TOrbNDBGrid(parent)
{
    installDelegate();
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex &i) {
        if (PopWindowClick)
            Guarded([&] { PopupCell(i.column()); }, this);
    });
}

void TOrbDBGrid::installDelegate()
{
    m_view->setItemDelegate(new DBGridDelegate(this));
}

const TAmountColumn *TOrbDBGrid::amountColumn(const QString &field) const
{
    for (const TAmountColumn &c : AmountColumns)
        if (c.On && c.FieldName.compare(field, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

void TOrbDBGrid::PopupCell(int column)
{
    TOrbQuery *q = query();
    if (!q || column < 0 || column >= q->fields().size())
        return;
    const TOrbField &f = q->fields()[column];
    if (f.type != FieldType::Memo && f.type != FieldType::Picture)
        return;
    const QString caption = f.displayLabel.isEmpty() ? f.name : f.displayLabel;
    TFormMemo::instance()->showField(q, f.name, caption, MemoEditable);
}

// --- TFormMemo -------------------------------------------------------------------------------

TFormMemo *TFormMemo::instance()
{
    static QPointer<TFormMemo> form;
    if (!form)
        form = new TFormMemo;
    return form;
}

TFormMemo::TFormMemo()
{
    setObjectName(QStringLiteral("FormMemo"));
    setWindowTitle(QStringLiteral("Memofield"));
    setAttribute(Qt::WA_QuitOnClose, false);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("DBMemo1"));
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("DBImage1"));
    m_image->setScaledContents(true);
    auto *box = new QVBoxLayout(this);
    box->addWidget(m_memo);
    box->addWidget(m_image);
    resize(420, 300);
    connect(m_memo, &QPlainTextEdit::textChanged, this, [this] { writeBack(); });
}

void TFormMemo::showField(TOrbQuery *query, const QString &field, const QString &caption,
                          bool editable)
{
    m_query = nullptr;
    const TOrbField *f = query->field(field);
    const bool picture = f && f->type == FieldType::Picture;
    m_memo->setVisible(!picture);
    m_image->setVisible(picture);
    setWindowTitle(caption);
    if (picture) {
        QPixmap pix;
        pix.loadFromData(query->value(field).toByteArray());
        m_image->setPixmap(pix);
    } else {
        m_memo->setPlainText(query->text(field));
        m_memo->setReadOnly(!editable);
    }
    m_query = query;
    m_field = field;
    show();
    raise();
}

void TFormMemo::writeBack()
{
    if (m_query && m_query->isEditing() && !m_memo->isReadOnly())
        Guarded([this] { m_query->setText(m_field, m_memo->toPlainText()); });
}

} // namespace Orb
