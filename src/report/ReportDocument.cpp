#include "report/ReportDocument.h"

#include "report/CellText.h"

#include "data/Messages.h"

#include <QFont>
#include <algorithm>
#include <cmath>

namespace Orb {

namespace {

int MmToPixels(int mm, double factor)
{
    return static_cast<int>(std::lround(mm * factor));
}

bool LineOrder(const TReportCell *a, const TReportCell *b)
{
    if (a->line()->index != b->line()->index)
        return a->line()->index < b->line()->index;
    return a->line()->cellPosition(a) < b->line()->cellPosition(b);
}

} // namespace

ReportHeader::ReportHeader()
{
    const double factor = double(kScreenPixelsPerInch) / 25;
    leftMargin = MmToPixels(leftMarginMm, factor);
    topMargin = MmToPixels(topMarginMm, factor);
    rightMargin = MmToPixels(rightMarginMm, factor);
    bottomMargin = MmToPixels(bottomMarginMm, factor);
}

TReportDocument::~TReportDocument()
{
    clear();
}

void TReportDocument::clear()
{
    selection.clear();
    qDeleteAll(lines);
    lines.clear();
}

TReportLine *TReportDocument::appendLine()
{
    return insertLine(lines.size());
}

TReportLine *TReportDocument::insertLine(int position)
{
    auto *line = new TReportLine(this);
    lines.insert(qBound(0, position, int(lines.size())), line);
    return line;
}

TReportCell *TReportDocument::cellAt(int line, int position) const
{
    if (line < 0 || line >= lines.size())
        return nullptr;
    const TReportLine *l = lines.at(line);
    if (position < 0 || position >= l->cells.size())
        return nullptr;
    return l->cells.at(position);
}

QPair<int, int> TReportDocument::positionOf(const TReportCell *cell) const
{
    if (!cell)
        return {-1, -1};
    const int line = lines.indexOf(cell->line());
    if (line < 0)
        return {-1, -1};
    return {line, cell->line()->cellPosition(cell)};
}

// --- layout ---------------------------------------------------------------

void TReportDocument::calcTextHeight(TReportCell *cell) const
{
    const int borders = cell->topBorder.width + cell->bottomBorder.width;
    const int narrowHeight = borders + 18;
    if (2 * cell->textMargin >= cell->width) {
        cell->textHeight = narrowHeight;
        return;
    }
    const QString text = cell->text.isEmpty() ? QStringLiteral("汉") : cell->text;
    int measured = MeasureCellText(ToQFont(cell->font), cell->width - 2 * cell->textMargin,
                                   text, cell->hAlign);
    if (measured <= 0)
        measured = 16;
    const int height = measured + 2 + borders;
    if (cell->isOwner()) {
        cell->mergedTextHeight = height;
        cell->textHeight = narrowHeight;
    } else {
        cell->textHeight = height;
    }
}

int TReportDocument::ownerLinesHeight(const TReportCell *owner, const TReportLine *skip) const
{
    QList<const TReportLine *> seen{owner->line()};
    int total = owner->line()->height();
    for (const TReportCell *slave : owner->slaves) {
        const TReportLine *line = slave->line();
        if (line == skip || seen.contains(line))
            continue;
        seen.append(line);
        total += line->height();
    }
    return total;
}

// A slave in the lowest line of its merge grows so that the merged block
// is tall enough for the owner's text.
void TReportDocument::calcSlaveHeight(TReportCell *cell) const
{
    calcTextHeight(cell);
    const TReportCell *owner = cell->owner;
    int lowest = -1;
    for (const TReportCell *slave : owner->slaves)
        lowest = qMax(lowest, slave->line()->index);
    TReportLine *line = cell->line();
    if (line->index != lowest)
        return;
    int own = line->userHeight;
    for (const TReportCell *other : line->cells) {
        if (other != cell)
            own = qMax(own, qMax(other->textHeight, other->minHeight));
    }
    own = qMax(own, qMax(cell->textHeight, cell->minHeight));
    const int total = ownerLinesHeight(owner, line) + own;
    if (total < owner->mergedTextHeight)
        cell->textHeight += owner->mergedTextHeight - total;
}

void TReportDocument::layout()
{
    for (int i = 0; i < lines.size(); ++i) {
        lines[i]->index = i;
        for (TReportCell *cell : lines[i]->cells) {
            if (cell->isOwner())
                calcTextHeight(cell);
        }
    }
    for (TReportLine *line : lines) {
        int left = header.leftMargin;
        for (int c = 0; c < line->cells.size(); ++c) {
            TReportCell *cell = line->cells[c];
            cell->index = c;
            cell->left = left;
            left += cell->width;
            if (!cell->isSlave() && !cell->isOwner())
                calcTextHeight(cell);
        }
        line->textHeight = 0;
        for (const TReportCell *cell : line->cells) {
            if (!cell->isSlave())
                line->textHeight = qMax(line->textHeight, qMax(cell->textHeight, cell->minHeight));
        }
        for (TReportCell *cell : line->cells) {
            if (cell->isSlave()) {
                calcSlaveHeight(cell);
                line->textHeight = qMax(line->textHeight, qMax(cell->textHeight, cell->minHeight));
            }
        }
    }
    int top = header.topMargin;
    for (TReportLine *line : lines) {
        line->top = top;
        top += line->height();
    }
    for (TReportLine *line : lines) {
        const int right = line->cells.isEmpty()
                              ? header.leftMargin
                              : line->cells.last()->left + line->cells.last()->width;
        line->lineRect = {header.leftMargin, line->top, right, line->top + line->height()};
        for (TReportCell *cell : line->cells) {
            const int height = cell->isOwner() ? ownerLinesHeight(cell, nullptr) : line->height();
            cell->cellRect = {cell->left, line->top, cell->left + cell->width, line->top + height};
            const int needed = cell->isOwner() ? cell->mergedTextHeight : cell->textHeight;
            WinRect &r = cell->textRect;
            r.left = cell->left + cell->textMargin + 1;
            r.right = cell->cellRect.right - cell->textMargin - (cell->isOwner() ? 0 : 1);
            r.top = line->top + cell->topBorder.width + 1;
            r.bottom = line->top + needed - cell->bottomBorder.width - 1;
            const int free = height - needed;
            int shift = 0;
            if (cell->vAlign == 1)
                shift = static_cast<int>(std::lround(free / 2.0));
            else if (cell->vAlign == 2)
                shift = free;
            if (free > 0) {
                r.top += shift;
                r.bottom += shift;
            }
        }
    }
}

int TReportDocument::totalHeight() const
{
    if (lines.isEmpty())
        return header.topMargin;
    return lines.last()->top + lines.last()->height();
}

// --- settings ---------------------------------------------------------------

void TReportDocument::setMarginsMm(int left, int top, int right, int bottom)
{
    header.leftMarginMm = left;
    header.topMarginMm = top;
    header.rightMarginMm = right;
    header.bottomMarginMm = bottom;
    header.leftMargin = MmToPixels(left, kMmToPixelsX);
    header.topMargin = MmToPixels(top, kMmToPixelsY);
    header.rightMargin = MmToPixels(right, kMmToPixelsX);
    header.bottomMargin = MmToPixels(bottom, kMmToPixelsY);
    layout();
}

void TReportDocument::setPageSize(int width, int height)
{
    header.pageWidth = width;
    header.pageHeight = height;
    layout();
}

// --- editing ----------------------------------------------------------------

bool TReportDocument::NewTable(int columns, int rows)
{
    if (!lines.isEmpty()) {
        ShowWarning(QStringLiteral("关闭正在编辑的报表后，才能建立新表格。"));
        return false;
    }
    if (columns < 1 || rows < 1)
        return false;
    const double span = header.pageWidth - header.leftMargin - header.rightMargin;
    const int width = static_cast<int>(std::lround(span / columns));
    TReportLine *first = appendLine();
    for (int c = 0; c < columns; ++c)
        first->addCell()->setWidth(width);
    for (int r = 1; r < rows; ++r)
        copyLine(first, appendLine());
    layout();
    return true;
}

void TReportDocument::copyLine(const TReportLine *source, TReportLine *target)
{
    for (const TReportCell *cell : source->cells) {
        TReportCell *copy = target->addCell();
        copy->copyLookFrom(*cell);
        if (TReportCell *owner = cell->owner) {
            // The copy joins the merge next to its source: after it when the
            // new line lies below the source, in front of it otherwise.
            const int at = owner->slaves.indexOf(cell);
            const bool below = lines.indexOf(target) > lines.indexOf(source);
            owner->slaves.insert(below ? at + 1 : at, copy);
            copy->owner = owner;
        }
    }
}

void TReportDocument::AddLine()
{
    if (selection.size() > 1 || lines.isEmpty())
        return;
    TReportLine *source = lines.last();
    copyLine(source, appendLine());
    layout();
}

void TReportDocument::InsertLine()
{
    if (selection.isEmpty())
        return;
    TReportLine *source = selection.first()->line();
    TReportLine *copy = insertLine(lines.indexOf(source));
    copyLine(source, copy);
    layout();
}

void TReportDocument::Dissolve(TReportCell *cell)
{
    TReportCell *owner = cell->owner ? cell->owner : cell;
    for (TReportCell *slave : owner->slaves)
        slave->owner = nullptr;
    owner->slaves.clear();
}

void TReportDocument::deleteLineAt(int position)
{
    TReportLine *line = lines.takeAt(position);
    for (TReportCell *cell : line->cells)
        selection.removeAll(cell);
    delete line;
}

void TReportDocument::DeleteLine()
{
    if (selection.isEmpty())
        return;
    QList<TReportLine *> doomed;
    for (const TReportCell *cell : selection) {
        if (!doomed.contains(cell->line()))
            doomed.append(cell->line());
    }
    for (TReportLine *line : doomed) {
        for (TReportCell *cell : line->cells)
            Dissolve(cell);
    }
    for (TReportLine *line : doomed)
        deleteLineAt(lines.indexOf(line));
    selection.clear();
    layout();
}

void TReportDocument::AddCell()
{
    if (selection.size() != 1)
        return;
    TReportLine *line = selection.first()->line();
    const TReportCell *last = line->cells.last();
    line->addCell()->copyLookFrom(*last);
    layout();
}

void TReportDocument::InsertCell()
{
    if (selection.size() != 1)
        return;
    TReportCell *cell = selection.first();
    TReportLine *line = cell->line();
    line->insertCell(line->cellPosition(cell))->copyLookFrom(*cell);
    layout();
}

void TReportDocument::removeCell(TReportCell *cell)
{
    if (cell->owner)
        cell->owner->slaves.removeAll(cell);
    for (TReportCell *slave : cell->slaves)
        slave->owner = nullptr;
    cell->slaves.clear();
    selection.removeAll(cell);
    cell->line()->deleteCell(cell);
}

void TReportDocument::DeleteCell()
{
    if (selection.isEmpty())
        return;
    QList<TReportCell *> doomed;
    for (TReportCell *cell : selection) {
        if (!doomed.contains(cell))
            doomed.append(cell);
        for (TReportCell *slave : cell->slaves) {
            if (!doomed.contains(slave))
                doomed.append(slave);
        }
    }
    for (TReportCell *cell : doomed)
        removeCell(cell);
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (lines[i]->cells.isEmpty())
            deleteLineAt(i);
    }
    selection.clear();
    layout();
}

void TReportDocument::absorbInLine(TReportLine *line, QList<TReportCell *> &selected)
{
    QList<TReportCell *> own;
    for (TReportCell *cell : line->cells) {
        if (selected.contains(cell))
            own.append(cell);
    }
    TReportCell *absorber = own.first();
    for (int i = 1; i < own.size(); ++i) {
        TReportCell *other = own[i];
        absorber->width += other->width;
        absorber->text += other->text;   // keep what the user typed
        for (TReportCell *slave : other->slaves) {
            slave->owner = absorber;
            absorber->slaves.append(slave);
        }
        other->slaves.clear();
        selected.removeAll(other);
        removeCell(other);
    }
}

void TReportDocument::takeSlave(TReportCell *owner, TReportCell *slave)
{
    owner->text += slave->text;
    slave->text.clear();
    if (slave->owner && slave->owner != owner)
        slave->owner->slaves.removeAll(slave);
    for (TReportCell *sub : slave->slaves) {
        sub->owner = owner;
        if (!owner->slaves.contains(sub))
            owner->slaves.append(sub);
    }
    slave->slaves.clear();
    slave->owner = owner;
    if (!owner->slaves.contains(slave))
        owner->slaves.append(slave);
}

void TReportDocument::CombineCells()
{
    if (selection.size() < 2)
        return;
    QList<TReportCell *> selected = selection;
    // A block is merged whole: owners of selected slaves and all their slaves.
    for (int i = 0; i < selected.size(); ++i) {
        TReportCell *cell = selected[i];
        if (cell->owner && !selected.contains(cell->owner))
            selected.append(cell->owner);
        for (TReportCell *slave : cell->slaves) {
            if (!selected.contains(slave))
                selected.append(slave);
        }
    }
    std::sort(selected.begin(), selected.end(), LineOrder);
    QList<TReportLine *> touched;
    for (const TReportCell *cell : selected) {
        if (!touched.contains(cell->line()))
            touched.append(cell->line());
    }
    for (TReportLine *line : touched)
        absorbInLine(line, selected);
    std::sort(selected.begin(), selected.end(), LineOrder);
    TReportCell *owner = selected.first();
    if (owner->owner) {
        owner->owner->slaves.removeAll(owner);
        owner->owner = nullptr;
    }
    for (int i = 1; i < selected.size(); ++i)
        takeSlave(owner, selected[i]);
    selection = {owner};
    layout();
}

void TReportDocument::SplitCell()
{
    if (selection.size() != 1 || !selection.first()->isOwner())
        return;
    Dissolve(selection.first());
    layout();
}

void TReportDocument::splitSlavesLike(TReportCell *owner, const QList<TReportCell *> &columns)
{
    const QList<TReportCell *> slaves = owner->slaves;
    for (TReportCell *slave : slaves) {
        TReportLine *line = slave->line();
        const int at = line->cellPosition(slave);
        slave->width = columns.first()->width;
        for (int k = 1; k < columns.size(); ++k) {
            TReportCell *piece = line->insertCell(at + k);
            piece->copyLookFrom(*slave);
            piece->width = columns[k]->width;
            piece->owner = columns[k];
            columns[k]->slaves.append(piece);
        }
    }
}

void TReportDocument::VSplitCell(int count)
{
    if (selection.size() != 1 || selection.first()->isSlave())
        return;
    TReportCell *cell = selection.first();
    count = qMin(count, static_cast<int>(std::lround(cell->width / 12.0)));
    if (count < 2)
        return;
    const int width = static_cast<int>(std::floor(double(cell->width) / count));
    const int remainder = cell->width - width * count;
    TReportLine *line = cell->line();
    const int at = line->cellPosition(cell);
    cell->width = width;
    for (int i = 1; i < count; ++i) {
        TReportCell *column = line->insertCell(at + 1);
        column->copyLookFrom(*cell);
        column->width = width + (i == count - 1 ? remainder : 0);
    }
    splitSlavesLike(cell, line->cells.mid(at, count));
    layout();
}

void TReportDocument::SetBorders(const CellBorder &left, const CellBorder &top,
                                 const CellBorder &right, const CellBorder &bottom)
{
    for (TReportCell *cell : selection) {
        cell->leftBorder = left;
        cell->topBorder = top;
        cell->rightBorder = right;
        cell->bottomBorder = bottom;
    }
    layout();
}

void TReportDocument::SetDiagonals(int bits)
{
    for (TReportCell *cell : selection)
        cell->diagonals = bits;
    layout();
}

void TReportDocument::SetAlignment(int horizontal, int vertical)
{
    for (TReportCell *cell : selection) {
        cell->hAlign = horizontal;
        cell->vAlign = vertical;
    }
    layout();
}

void TReportDocument::SetColors(qint32 textColor, qint32 backColor)
{
    for (TReportCell *cell : selection) {
        cell->textColor = textColor;
        cell->backColor = backColor;
    }
    layout();
}

void TReportDocument::SetFont(const LogFont &font)
{
    for (TReportCell *cell : selection)
        cell->font = font;
    layout();
}

void TReportDocument::SetText(const QString &text)
{
    for (TReportCell *cell : selection)
        cell->text = text;
    layout();
}

void TReportDocument::SetDisplayFormat(const QString &format)
{
    for (TReportCell *cell : selection)
        cell->displayFormat = format;
    layout();
}

void TReportDocument::SetCellWidth(TReportCell *cell, int width)
{
    cell->setWidth(width);
    layout();
}

void TReportDocument::SetLineUserHeight(TReportLine *line, int height)
{
    line->userHeight = qMax(0, height);
    layout();
}

void TReportDocument::select(TReportCell *cell, bool add)
{
    if (!add)
        selection.clear();
    if (cell && !selection.contains(cell))
        selection.append(cell);
}

} // namespace Orb
