#include "components/GridLayout.h"

#include "data/OrbFun.h"

#include <QSqlQuery>
#include <algorithm>
#include <QVariant>
#include <cmath>

namespace Orb {

int WidthInChars(int pixels)
{
    return int(std::lround(pixels * 0.16));
}

int TGridLayout::indexOf(const QString &field) const
{
    return Names.indexOf(field);
}

QStringList TGridLayout::orderedNames() const
{
    QList<int> idx;
    for (int i = 0; i < Names.size(); ++i)
        idx << i;
    if (SaveOrder)
        std::stable_sort(idx.begin(), idx.end(),
                         [this](int a, int b) { return Orders.value(a) < Orders.value(b); });
    QStringList out;
    for (int i : idx)
        out << Names[i];
    return out;
}

// --- statements -------------------------------------------------------------------------

QString TGridLayout::whereUser() const
{
    return QStringLiteral(" WHERE  USE_ID = ") + QuotedStr(UserID)
           + QStringLiteral(" AND FORM_NAME = ") + QuotedStr(FormName)
           + QStringLiteral(" AND DBGRID_NAME = ") + QuotedStr(GridName);
}

QString TGridLayout::LoadSql() const
{
    return QStringLiteral("SELECT FIELD_WIDTH,FIELD_NAME")
           + (SaveOrder ? QStringLiteral(",FIELD_ORDER") : QString()) + QStringLiteral(" FROM ")
           + LayoutTable + QStringLiteral(" WHERE USE_ID = ") + QuotedStr(UserID)
           + QStringLiteral(" AND FORM_NAME = ") + QuotedStr(FormName)
           + QStringLiteral(" AND DBGRID_NAME = ") + QuotedStr(GridName)
           + QStringLiteral(" ORDER BY FIELD_NAME");
}

QString TGridLayout::DropSql(const QString &field) const
{
    return QStringLiteral("DELETE FROM ") + LayoutTable + whereUser()
           + QStringLiteral(" AND FIELD_NAME = ") + QuotedStr(field);
}

QString TGridLayout::DeleteUserSql() const
{
    return QStringLiteral("DELETE FROM ") + LayoutTable + whereUser();
}

QString TGridLayout::DeleteAllSql() const
{
    return QStringLiteral("DELETE FROM ") + LayoutTable + QStringLiteral(" WHERE FORM_NAME = ")
           + QuotedStr(FormName) + QStringLiteral(" AND DBGRID_NAME = ") + QuotedStr(GridName);
}

QString TGridLayout::SelectOneSql(const QString &field) const
{
    return QStringLiteral("SELECT FIELD_WIDTH")
           + (SaveOrder ? QStringLiteral(",FIELD_ORDER") : QString()) + QStringLiteral(" FROM ")
           + LayoutTable + whereUser() + QStringLiteral(" AND FIELD_NAME = ") + QuotedStr(field);
}

QString TGridLayout::InsertSql(const QString &field, int width, int order) const
{
    return QStringLiteral("INSERT INTO ") + LayoutTable
           + QStringLiteral("(USE_ID,FORM_NAME,DBGRID_NAME,FIELD_NAME,FIELD_WIDTH")
           + (SaveOrder ? QStringLiteral(",FIELD_ORDER") : QString()) + QStringLiteral(") VALUES")
           + QStringLiteral("(") + QuotedStr(UserID) + QLatin1Char(',') + QuotedStr(FormName)
           + QLatin1Char(',') + QuotedStr(GridName) + QLatin1Char(',') + QuotedStr(field)
           + QLatin1Char(',') + QString::number(width)
           + (SaveOrder ? QLatin1Char(',') + QString::number(order) : QString())
           + QStringLiteral(")");
}

QString TGridLayout::UpdateSql(const QString &field, int width, int order) const
{
    return QStringLiteral("UPDATE ") + LayoutTable + QStringLiteral(" SET FIELD_WIDTH = ")
           + QString::number(width)
           + (SaveOrder ? QStringLiteral(",FIELD_ORDER = ") + QString::number(order) : QString())
           + whereUser() + QStringLiteral(" AND FIELD_NAME = ") + QuotedStr(field);
}

// --- operations --------------------------------------------------------------------------

void TGridLayout::clearLists()
{
    Widths.clear();
    Names.clear();
    Orders.clear();
    LoadedWidths.clear();
    LoadedNames.clear();
    LoadedOrders.clear();
}

void TGridLayout::Load()
{
    if (FormName.isEmpty() || !Names.isEmpty())
        return;
    auto q = OpenSql(LoadSql());
    while (q->next()) {
        const QString name = q->value(1).toString().trimmed();
        if (name.isEmpty())
            continue;
        const int width = q->value(0).toInt();
        const int order = SaveOrder ? int(TextToNumber(q->value(2).toString())) : 0;
        Widths << width;
        Names << name;
        Orders << order;
        LoadedWidths << width;
        LoadedNames << name;
        LoadedOrders << order;
    }
}

bool TGridLayout::DropSavedColumn(const QString &field)
{
    if (!ExecSql(DropSql(field))) {
        ShowWarning(QStringLiteral("隐藏字段删除过程发生错误"));
        return false;
    }
    return true;
}

bool TGridLayout::RestoreDefaultLayout()
{
    if (!AskYesNo(QStringLiteral("是否恢复默认显示设置")))
        return false;
    if (!ExecSql(DeleteUserSql())) {
        ShowWarning(QStringLiteral("恢复默认显示设置过程发生错误"));
        return false;
    }
    ShowWarning(QStringLiteral("请关闭窗口后再重新打开"));
    Reset = true;
    return true;
}

bool TGridLayout::ClearLayoutForAll()
{
    if (!ExecSql(DeleteAllSql())) {
        ShowWarning(QStringLiteral("恢复默认显示设置过程发生错误"));
        return false;
    }
    Reset = true;
    Applied = false;
    clearLists();
    return true;
}

bool TGridLayout::unchanged(int i) const
{
    const int j = LoadedNames.indexOf(Names[i]);
    if (j < 0)
        return false;
    const int now = WidthInChars(Widths[i]);
    const int before = WidthInChars(LoadedWidths[j]);
    if (qAbs(now - before) > 1 || now <= 10)
        return false;
    return !SaveOrder || Orders[i] == LoadedOrders[j];
}

void TGridLayout::SaveLayout()
{
    if (!FormName.isEmpty() && !Reset && Names.size() > 1) {
        for (int i = 0; i < Names.size(); ++i) {
            if (unchanged(i))
                continue;
            const QString &f = Names[i];
            const QVariant row = GetSqlRow(SelectOneSql(f));
            if (row.isNull() || !row.isValid()) {
                ExecSql(InsertSql(f, Widths[i], Orders[i]));
                continue;
            }
            const QVariantList v = SaveOrder ? row.toList() : QVariantList{row};
            const bool same = v.value(0).toInt() == Widths[i]
                              && (!SaveOrder || v.value(1).toInt() == Orders[i]);
            if (!same)
                ExecSql(UpdateSql(f, Widths[i], Orders[i]));
        }
    }
    clearLists();
    Reset = false;
}

// --- recording -------------------------------------------------------------------------------

void TGridLayout::addColumn(const QString &field, int pixels, int position)
{
    Widths << pixels;
    Names << field;
    Orders << (SaveOrder ? position : 0);
    // A column added while the window is open counts as loaded with width 1.
    LoadedWidths << 1;
    LoadedNames << field;
    LoadedOrders << 1;
}

void TGridLayout::RecordWidth(const QString &field, int pixels, int position)
{
    const int i = indexOf(field);
    if (i < 0) {
        addColumn(field, pixels, position);
        return;
    }
    const int now = WidthInChars(pixels);
    const int stored = WidthInChars(Widths[i]);
    if (qAbs(now - stored) <= 1 && now > 10)
        return;
    Widths[i] = pixels;
}

void TGridLayout::RecordOrder(const QString &field, int position)
{
    if (!SaveOrder)
        return;
    const int i = indexOf(field);
    if (i < 0)
        return;
    Orders[i] = position;
}

// --- merge into the fields data -----------------------------------------------------------------

QStringList TGridLayout::MergeInto(QList<TFieldsData> &fieldsData)
{
    QStringList dropped;
    const QStringList saved = orderedNames();
    for (const QString &name : saved) {
        const int i = indexOf(name);
        const int chars = WidthInChars(Widths[i]);
        for (TFieldsData &e : fieldsData) {
            if (e.FieldName.compare(name, Qt::CaseInsensitive) != 0 || e.Width == -1)
                continue;
            if (chars >= 2) {
                e.Width = chars;
                continue;
            }
            e.Width = 0;
            if (e.SumKind == QLatin1String("@Count") || e.SumKind == QLatin1String("@Sum"))
                continue;
            e.Visible = false;
            if (!dropped.contains(name))
                dropped << name;
        }
    }
    if (!saved.isEmpty())
        for (TFieldsData &e : fieldsData) {
            bool found = false;
            for (const QString &n : saved)
                found = found || e.FieldName.compare(n, Qt::CaseInsensitive) == 0;
            if (!found)
                e.Visible = false;
        }
    // A column narrowed away is gone from the layout: its row is deleted.
    for (const QString &name : dropped) {
        DropSavedColumn(name);
        for (QStringList *l : {&Names, &LoadedNames}) {
            const int i = l->indexOf(name);
            if (i < 0)
                continue;
            l->removeAt(i);
            (l == &Names ? Widths : LoadedWidths).removeAt(i);
            (l == &Names ? Orders : LoadedOrders).removeAt(i);
        }
    }
    return dropped;
}

} // namespace Orb
