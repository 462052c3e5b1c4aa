#include "report/ReportControl.h"

#include "report/ReportPainter.h"
#include "report/ReportPaper.h"
#include "report/ReportStream.h"

#include "data/Gbk.h"
#include "data/Messages.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPlainTextEdit>

namespace Orb {

namespace {

constexpr int kEdgeTolerance = 3;

QRect ToQRect(const WinRect &r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

} // namespace

TReportControl::TReportControl(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    DefaultPageSize(m_doc.header.pageWidth, m_doc.header.pageHeight);
    updateSize();
}

TReportControl::~TReportControl() = default;

void TReportControl::updateSize()
{
    setFixedSize(qMax(1, m_doc.header.pageWidth * m_zoom / 100),
                 qMax(1, m_doc.header.pageHeight * m_zoom / 100));
}

void TReportControl::SetZoom(int percent)
{
    m_zoom = qBound(10, percent, 400);
    updateSize();
    update();
}

void TReportControl::Changed()
{
    m_doc.layout();
    updateSize();
    update();
    emit documentChanged();
}

bool TReportControl::SaveToFile(const QString &fileName)
{
    commitEditor();
    return SaveReportFile(m_doc, fileName);
}

bool TReportControl::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_doc.clear();
        Changed();
        ShowWarning(QStringLiteral("格式不正确"));
        return false;
    }
    return LoadFromStream(file.readAll());
}

bool TReportControl::LoadFromStream(const QByteArray &bytes, qsizetype offset)
{
    delete m_editor;
    m_editedCell = nullptr;
    const bool ok = LoadReportStream(m_doc, bytes, offset) == StreamResult::Ok;
    m_zoom = 100;
    Changed();
    if (!ok)
        ShowWarning(QStringLiteral("格式不正确"));
    return ok;
}

void TReportControl::NewTable(int columns, int rows) { m_doc.NewTable(columns, rows); Changed(); }
void TReportControl::AddLine() { m_doc.AddLine(); Changed(); }
void TReportControl::InsertLine() { m_doc.InsertLine(); Changed(); }
void TReportControl::DeleteLine() { commitEditor(); m_doc.DeleteLine(); Changed(); }
void TReportControl::AddCell() { m_doc.AddCell(); Changed(); }
void TReportControl::InsertCell() { m_doc.InsertCell(); Changed(); }
void TReportControl::DeleteCell() { commitEditor(); m_doc.DeleteCell(); Changed(); }
void TReportControl::CombineCells() { commitEditor(); m_doc.CombineCells(); Changed(); }
void TReportControl::SplitCell() { m_doc.SplitCell(); Changed(); }
void TReportControl::VSplitCell(int count) { m_doc.VSplitCell(count); Changed(); }

void TReportControl::SetMargins(int left, int top, int right, int bottom)
{
    m_doc.setMarginsMm(left, top, right, bottom);
    Changed();
}

void TReportControl::Clear()
{
    delete m_editor;
    m_editedCell = nullptr;
    m_doc.clear();
    Changed();
}

QPoint TReportControl::toPage(const QPoint &widgetPoint) const
{
    return widgetPoint * 100 / m_zoom;
}

TReportCell *TReportControl::cellAtPage(const QPoint &p) const
{
    for (TReportLine *line : m_doc.lines) {
        for (TReportCell *cell : line->cells) {
            if (!cell->isSlave() && ToQRect(cell->cellRect).contains(p))
                return cell;
        }
    }
    return nullptr;
}

LogFont TReportControl::LastSelectedFont() const
{
    return m_doc.selection.isEmpty() ? LogFont() : m_doc.selection.last()->font;
}

void TReportControl::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.scale(m_zoom / 100.0, m_zoom / 100.0);
    PaintPageFrame(painter, m_doc);
    const QRect area = QRect(toPage(event->rect().topLeft()),
                             toPage(event->rect().bottomRight() + QPoint(1, 1)));
    PaintCells(painter, m_doc, area, PictureMode::Stretched);
    // Selected cells are shown inverted.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const TReportCell *cell : m_doc.selection)
        painter.fillRect(ToQRect(cell->cellRect), Qt::white);
}

// --- mouse editing ------------------------------------------------------------

TReportControl::Drag TReportControl::edgeAt(const QPoint &p, TReportCell **cell,
                                            TReportLine **line) const
{
    for (TReportLine *l : m_doc.lines) {
        for (TReportCell *c : l->cells) {
            const WinRect &r = c->cellRect;
            if (c->isSlave() || p.y() < r.top || p.y() > r.bottom)
                continue;
            if (std::abs(p.x() - r.right) <= kEdgeTolerance) {
                *cell = c;
                return Drag::CellWidth;
            }
        }
        const int bottom = l->top + l->height();
        if (std::abs(p.y() - bottom) <= kEdgeTolerance && p.x() >= l->lineRect.left
            && p.x() <= l->lineRect.right) {
            *line = l;
            return Drag::LineHeight;
        }
    }
    return Drag::None;
}

void TReportControl::mousePressEvent(QMouseEvent *event)
{
    commitEditor();
    if (event->button() != Qt::LeftButton || !m_edit)
        return;
    if (m_zoom != 100) {
        SetZoom(100);
        return;
    }
    const QPoint p = toPage(event->position().toPoint());
    m_pressPoint = p;
    m_dragCell = nullptr;
    m_dragLine = nullptr;
    m_drag = edgeAt(p, &m_dragCell, &m_dragLine);
    if (m_drag != Drag::None)
        return;
    m_drag = Drag::Select;
    if (!(event->modifiers() & Qt::ShiftModifier))
        m_doc.clearSelection();
    m_baseSelection = m_doc.selection;
    m_doc.select(cellAtPage(p), true);
    update();
    emit selectionChanged();
}

void TReportControl::selectSpanned(const QPoint &to)
{
    const QRect span = QRect(m_pressPoint, to).normalized();
    m_doc.selection = m_baseSelection;
    for (TReportLine *line : m_doc.lines) {
        for (TReportCell *cell : line->cells) {
            if (!cell->isSlave() && ToQRect(cell->cellRect).intersects(span))
                m_doc.select(cell, true);
        }
    }
    update();
    emit selectionChanged();
}

void TReportControl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = toPage(event->position().toPoint());
    switch (m_drag) {
    case Drag::CellWidth:
        m_doc.SetCellWidth(m_dragCell, p.x() - m_dragCell->left);
        Changed();
        return;
    case Drag::LineHeight:
        m_doc.SetLineUserHeight(m_dragLine, p.y() - m_dragLine->top);
        Changed();
        return;
    case Drag::Select:
        selectSpanned(p);
        return;
    case Drag::None:
        break;
    }
    if (!m_edit)
        return;
    TReportCell *cell = nullptr;
    TReportLine *line = nullptr;
    switch (edgeAt(p, &cell, &line)) {
    case Drag::CellWidth: setCursor(Qt::SplitHCursor); break;
    case Drag::LineHeight: setCursor(Qt::SplitVCursor); break;
    default: unsetCursor(); break;
    }
}

void TReportControl::mouseReleaseEvent(QMouseEvent *)
{
    m_drag = Drag::None;
}

void TReportControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_edit || event->button() != Qt::LeftButton)
        return;
    TReportCell *cell = cellAtPage(toPage(event->position().toPoint()));
    if (cell && cell->width > kMinCellWidth)
        openEditor(cell);
}

// The cell beside the given one in the direction of the arrow key; up and
// down take the cell of the next line that spans the same x.
TReportCell *TReportControl::neighbour(const TReportCell *cell, int key) const
{
    const TReportLine *line = cell->line();
    const int position = line->cellPosition(cell);
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        const int next = position + (key == Qt::Key_Left ? -1 : 1);
        if (next < 0 || next >= line->cells.size())
            return nullptr;
        TReportCell *found = line->cells[next];
        return found->owner ? found->owner : found;   // a merged block is its owner
    }
    const int step = key == Qt::Key_Up ? -1 : 1;
    const QPoint probe(cell->left + 1, 0);
    for (int l = line->index + step; l >= 0 && l < m_doc.lines.size(); l += step) {
        const TReportLine *other = m_doc.lines[l];
        TReportCell *found = cellAtPage(QPoint(probe.x(), other->top + 1));
        if (found && found != cell)
            return found;
    }
    return nullptr;
}

void TReportControl::keyPressEvent(QKeyEvent *event)
{
    if (!m_edit || m_editor) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Delete && !m_doc.selection.isEmpty()) {
        m_doc.SetText(QString());
        Changed();
    } else if ((key == Qt::Key_F2 || key == Qt::Key_Return) && m_doc.selection.size() == 1) {
        openEditor(m_doc.selection.first());
    } else if ((key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up
                || key == Qt::Key_Down)
               && !m_doc.selection.isEmpty()) {
        if (TReportCell *next = neighbour(m_doc.selection.last(), key)) {
            m_doc.select(next, event->modifiers() & Qt::ShiftModifier);
            update();
            emit selectionChanged();
        }
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TReportControl::openEditor(TReportCell *cell)
{
    commitEditor();
    m_drag = Drag::None;
    m_editedCell = cell;
    auto *editor = new QPlainTextEdit(this);
    editor->setObjectName(QStringLiteral("CellEditor"));
    QFont font = ToQFont(cell->font);
    font.setPixelSize(qMax(1, font.pixelSize() * m_zoom / 100));
    editor->setFont(font);
    editor->setFrameStyle(QFrame::NoFrame);
    QTextOption option = editor->document()->defaultTextOption();
    option.setAlignment(cell->hAlign == 1 ? Qt::AlignHCenter
                        : cell->hAlign == 2 ? Qt::AlignRight : Qt::AlignLeft);
    editor->document()->setDefaultTextOption(option);
    QString text = cell->text;
    editor->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // At most 3000 bytes of stored text (line breaks stored as CR LF), so the
    // user sees everything that will be kept.
    connect(editor, &QPlainTextEdit::textChanged, editor, [editor] {
        QString t = editor->toPlainText();
        if (GbkLength(t) + t.count(QLatin1Char('\n')) <= kMaxCellTextBytes)
            return;
        while (!t.isEmpty() && GbkLength(t) + t.count(QLatin1Char('\n')) > kMaxCellTextBytes)
            t.chop(1);
        editor->setPlainText(t);
        editor->moveCursor(QTextCursor::End);
    });
    const WinRect &r = cell->textRect;
    const WinRect &c = cell->cellRect;
    const QRect g = QRect(QPoint(r.left, qMax(c.top + 1, r.top)),
                          QPoint(r.right, qMax(r.bottom, c.bottom - 1)))
                        .normalized();
    editor->setGeometry(QRect(g.topLeft() * m_zoom / 100, g.size() * m_zoom / 100));
    editor->show();
    editor->setFocus();
    m_editor = editor;
}

void TReportControl::commitEditor()
{
    if (!m_editor)
        return;
    QString text = m_editor->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    // The stream keeps at most 3000 GBK bytes.
    text = FromGbk(GbkTruncate(ToGbk(text), kMaxCellTextBytes));
    if (m_editedCell)
        m_editedCell->text = text;
    // Deleted later: the click that closes it may still be on its way to it.
    m_editor->hide();
    m_editor->setParent(nullptr);
    m_editor->deleteLater();
    m_editor = nullptr;
    m_editedCell = nullptr;
    Changed();
}

} // namespace Orb
