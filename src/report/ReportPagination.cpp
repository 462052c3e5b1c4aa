// Pagination of the run-time: header, detail rows and footer per page, the
// page and running sums, and the functions resolved when a page is stored.

#include "report/ReportRunTime.h"

#include "data/FloatFormat.h"
#include "report/ReportDataSet.h"
#include "report/ReportStream.h"

#include "data/CapitalAmount.h"
#include "data/Messages.h"

#include <cmath>
#include <memory>

namespace Orb {

namespace {

const QChar kFunctionMark(0x60);
const QString kNoRecords = QStringLiteral("没有数据记录");
const QString kSumError = QStringLiteral("统计时发生错误，请检查模板设置是否正确");

bool HasReference(const TReportLine *line, QChar mark)
{
    for (const TReportCell *cell : line->cells) {
        if (cell->text.startsWith(mark))
            return true;
    }
    return false;
}

bool HasRunningSum(const TReportLine *line)
{
    for (const TReportCell *cell : line->cells) {
        if (cell->text.toUpper().startsWith(QLatin1String("`SUM(")))
            return true;
    }
    return false;
}

double Clean(double value)
{
    return std::abs(value) < 1e-9 ? 0.0 : value;
}

} // namespace

struct TReportRunTime::Row {
    std::unique_ptr<TReportLine> line;
    int height = 0;
    QList<QPair<int, double>> added;   // (sum position, value)
};

struct TReportRunTime::Pass {
    bool store = false;
    TReportDataSet *data = nullptr;
    std::vector<Row> rows;
    int header = 0;       // H
    int footerEvery = 0;  // F1: footer lines without running sums
    int footerLast = 0;   // F2: all footer lines
    int pageCount = 0;    // pages closed so far
    int totalPages = 0;   // known in the storing pass
};

void TReportRunTime::ClearPages()
{
    m_pages.clear();
    m_pageCount = 0;
}

bool TReportRunTime::BuildPages()
{
    ClearPages();
    m_shownMessages.clear();
    if (m_template.lines.isEmpty()) {
        ShowWarning(QStringLiteral("形成报表时发生错误，请检查各项参数与模板设置等是否正确"));
        return false;
    }
    m_detailLine = -1;
    for (int i = 0; i < m_template.lines.size() && m_detailLine < 0; ++i) {
        if (HasReference(m_template.lines[i], QLatin1Char('#')))
            m_detailLine = i;
    }
    Pass count;
    if (!runPass(count)) {
        ClearPages();
        return false;
    }
    Pass store;
    store.store = true;
    store.totalPages = count.pageCount;
    if (!runPass(store)) {
        ClearPages();
        return false;
    }
    m_pageCount = store.pageCount;
    return true;
}

int TReportRunTime::rowHeight(TReportLine &line) const
{
    int height = line.userHeight;
    for (TReportCell *cell : line.cells) {
        m_template.calcTextHeight(cell);
        height = qMax(height, qMax(cell->textHeight, cell->minHeight));
    }
    line.textHeight = height;
    return qMax(height, line.userHeight);
}

bool TReportRunTime::fits(const Pass &pass, int footerHeight, int extra) const
{
    qint64 used = m_template.header.topMargin + pass.header + footerHeight
                  + m_template.header.bottomMargin + extra;
    for (const Row &row : pass.rows)
        used += row.height;
    return used <= m_template.header.pageHeight;
}

bool TReportRunTime::buildRow(Pass &pass, Row &row)
{
    const TReportLine *source = m_template.lines[m_detailLine];
    row.line = std::make_unique<TReportLine>();
    row.line->userHeight = source->userHeight;
    const QString counter = QString::number(m_counter);
    for (int c = 0; c < source->cells.size(); ++c) {
        const TReportCell *cell = source->cells[c];
        TReportCell *target = row.line->addCell();
        if (!pass.data) {   // an empty row for AddSpace
            target->copyLookFrom(*cell);
            continue;
        }
        fillCell(*cell, *target, counter);
        if (!cell->text.startsWith(QLatin1Char('#')) || c + 1 >= int(m_pageSums.size()))
            continue;
        const auto [data, field] = resolveReference(cell->text);
        if (!data || field < 0 || data->Kind(field) != FieldKind::Number)
            continue;
        const double value = data->Value(field).toDouble();
        if (!std::isfinite(value)) {
            ShowWarning(kSumError);
            return false;
        }
        m_pageSums[c + 1] += value;
        m_runningSums[c + 1] += value;
        row.added.append({c + 1, value});
    }
    row.height = rowHeight(*row.line);
    return true;
}

// The last row goes back to the next page: the data set steps back, its
// values leave both sums and it keeps its number.
void TReportRunTime::takeBack(Pass &pass)
{
    Row &row = pass.rows.back();
    for (const auto &[position, value] : row.added) {
        m_pageSums[position] -= value;
        m_runningSums[position] -= value;
    }
    pass.rows.pop_back();
    pass.data->Prior();
    --m_counter;
}

// Empty detail rows (cells without text) while one more fits with the full footer.
void TReportRunTime::fillWithEmptyRows(Pass &pass)
{
    TReportDataSet *data = pass.data;
    pass.data = nullptr;   // buildRow makes empty rows without a data set
    Row probe;
    buildRow(pass, probe);
    while (fits(pass, pass.footerLast, probe.height)) {
        Row space;
        buildRow(pass, space);
        pass.rows.push_back(std::move(space));
    }
    pass.data = data;
}

bool TReportRunTime::runPass(Pass &pass)
{
    m_pageSums.fill(0);
    m_runningSums.fill(0);
    m_counter = 1;
    if (m_detailLine < 0) {
        closePage(pass, true);
        return true;
    }
    for (int i = 0; i < m_template.lines.size(); ++i) {
        const TReportLine *line = m_template.lines[i];
        if (i < m_detailLine)
            pass.header += line->height();
        if (i > m_detailLine) {
            pass.footerLast += line->height();
            if (!HasRunningSum(line))
                pass.footerEvery += line->height();
        }
    }
    for (const TReportCell *cell : m_template.lines[m_detailLine]->cells) {
        if (cell->text.startsWith(QLatin1Char('#'))) {
            pass.data = resolveReference(cell->text).first;
            break;
        }
    }
    if (pass.data)
        pass.data->First();
    while (true) {
        while (pass.data && !pass.data->Eof()) {
            Row row;
            if (!buildRow(pass, row))
                return false;
            pass.rows.push_back(std::move(row));
            ++m_counter;
            pass.data->Next();
            if (!fits(pass, pass.footerEvery) && !pass.data->Eof()) {
                takeBack(pass);
                if (pass.rows.empty())
                    break;
                closePage(pass, false);
            }
        }
        if (pass.rows.empty()) {
            ShowWarning(kNoRecords);
            return false;
        }
        if (fits(pass, pass.footerLast)) {
            if (AddSpace)
                fillWithEmptyRows(pass);
            closePage(pass, true);
            return true;
        }
        takeBack(pass);
        if (pass.rows.empty()) {
            ShowWarning(kNoRecords);
            return false;
        }
        closePage(pass, false);
    }
}

// Fills the template lines [from, to) into the page, keeping merges that
// lie inside the section.
void TReportRunTime::fillSection(TReportDocument &page, int from, int to, bool fullFooter)
{
    QHash<const TReportCell *, TReportCell *> copies;
    for (int i = from; i < to; ++i) {
        const TReportLine *source = m_template.lines[i];
        if (!fullFooter && i > m_detailLine && m_detailLine >= 0 && HasRunningSum(source))
            continue;
        TReportLine *line = page.appendLine();
        line->userHeight = source->userHeight;
        for (const TReportCell *cell : source->cells) {
            TReportCell *target = line->addCell();
            fillCell(*cell, *target, QString());
            copies.insert(cell, target);
            if (TReportCell *owner = copies.value(cell->owner)) {
                target->owner = owner;
                owner->slaves.append(target);
            }
        }
    }
}

void TReportRunTime::closePage(Pass &pass, bool fullFooter)
{
    ++pass.pageCount;
    if (pass.store) {
        TReportDocument page;
        page.header = m_template.header;
        if (m_detailLine < 0) {
            fillSection(page, 0, m_template.lines.size(), true);
        } else {
            fillSection(page, 0, m_detailLine, true);
            for (Row &row : pass.rows) {
                TReportLine *line = row.line.release();
                line->setDocument(&page);
                page.lines.append(line);
            }
            fillSection(page, m_detailLine + 1, m_template.lines.size(), fullFooter);
        }
        page.layout();
        resolvePageFunctions(page, pass.pageCount, pass.totalPages);
        page.layout();
        m_pages.append(SaveReportStream(page));
    }
    pass.rows.clear();
    m_pageSums.fill(0);
}

void TReportRunTime::resolvePageFunctions(TReportDocument &page, int pageNumber, int pageCount)
{
    const QString number = QString::number(pageNumber);
    const QString count = QString::number(pageCount);
    for (TReportLine *line : page.lines) {
        for (TReportCell *cell : line->cells) {
            if (!cell->text.startsWith(kFunctionMark))
                continue;
            const QString upper = cell->text.mid(1).toUpper();
            if (upper == QLatin1String("PAGENUM"))
                cell->text = QStringLiteral("第 ") + number + QStringLiteral(" 页");
            else if (upper == QLatin1String("PAGENUM/"))
                cell->text = QStringLiteral("第 ") + number + '/' + count + QStringLiteral(" 页");
            else if (upper == QLatin1String("PAGENUM-"))
                cell->text = QStringLiteral("第 ") + count + '-' + number + QStringLiteral(" 页");
            else if (upper.startsWith(QLatin1String("SUMPAGE(")))
                cell->text = sumText(cell->text, *cell, true);
            else if (upper.startsWith(QLatin1String("SUM(")))
                cell->text = sumText(cell->text, *cell, false);
        }
    }
}

// "`SUMPAGE(3)" / "`SUM(2-3)": positions of the detail line from 1, joined by
// + or -, evaluated left to right over the page or running sums.
QString TReportRunTime::sumText(const QString &text, const TReportCell &cell, bool perPage)
{
    const int prefix = perPage ? 9 : 5;
    const QString name = perPage ? QStringLiteral("Sumpage()") : QStringLiteral("SumAll()");
    const QString zeroMessage = QStringLiteral("模板中`") + name + QStringLiteral("括号内参数不应为零");
    const QString badMessage = QStringLiteral("统计时发生错误，请检查`") + name
                               + QStringLiteral("设置是否正确");
    auto warnOnce = [this](const QString &message) {
        if (!m_shownMessages.contains(message)) {
            m_shownMessages.insert(message);
            ShowWarning(message);
        }
        return QString();
    };
    const int close = text.indexOf(QLatin1Char(')'), prefix);
    if (close < 0)
        return warnOnce(badMessage);
    const QString list = text.mid(prefix, close - prefix);
    const auto &sums = perPage ? m_pageSums : m_runningSums;
    double total = 0;
    int start = 0;
    double sign = 1;
    for (int i = 0; i <= list.size(); ++i) {
        if (i < list.size() && list[i] != QLatin1Char('+') && list[i] != QLatin1Char('-'))
            continue;
        bool ok = false;
        const int position = list.mid(start, i - start).trimmed().toInt(&ok);
        if (!ok || position < 0 || position >= int(sums.size()))
            return warnOnce(badMessage);
        if (position == 0)
            return warnOnce(zeroMessage);
        total += sign * sums[position];
        if (i < list.size())
            sign = list[i] == QLatin1Char('-') ? -1 : 1;
        start = i + 1;
    }
    total = Clean(total);
    if (total == 0)
        return perPage ? QString() : QStringLiteral("0");
    if (cell.displayFormat == QStringLiteral("大写金额"))
        return CapitalAmount(QString::number(total, 'f', 6));
    return FormatFloat(cell.displayFormat, total);
}

} // namespace Orb
