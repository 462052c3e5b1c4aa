#pragma once
// The per-user column layout of a list grid, without the widget: the six
// lists (current widths, names, orders and the same as loaded), the
// statements on the layout table, recording of the user's changes, saving,
// and the merge of the saved columns into the window's fields data.

#include "components/RecordRules.h"

#include <QList>
#include <QStringList>

namespace Orb {

// Pixels to characters the way layouts compare widths (0.16 a pixel, rounded).
int WidthInChars(int pixels);

class TGridLayout {
public:
    QString FormName;       // window key; without it nothing is stored
    QString UserID;
    QString LayoutDataBase = QStringLiteral("OrbCashierDataBase");
    QString LayoutTable;
    QString GridName;       // the grid component's name
    bool SaveOrder = false;

    // --- the lists ---------------------------------------------------------------
    QList<int> Widths;
    QStringList Names;
    QList<int> Orders;
    QList<int> LoadedWidths;
    QStringList LoadedNames;
    QList<int> LoadedOrders;
    bool Reset = false;      // restored to the defaults: not saved on close
    bool Applied = false;

    bool loaded() const { return !Names.isEmpty(); }
    int indexOf(const QString &field) const;
    // Saved columns, by FIELD_ORDER with SaveOrder (stable), else by name.
    QStringList orderedNames() const;

    // --- statements ----------------------------------------------------------------
    QString LoadSql() const;
    QString DropSql(const QString &field) const;
    QString DeleteUserSql() const;
    QString DeleteAllSql() const;
    QString SelectOneSql(const QString &field) const;
    QString InsertSql(const QString &field, int width, int order) const;
    QString UpdateSql(const QString &field, int width, int order) const;

    // --- operations ------------------------------------------------------------------
    // Reads the saved columns when FormName is set and the lists are empty.
    void Load();
    // Deletes the saved row of the field; shows "隐藏字段删除过程发生错误" on failure.
    bool DropSavedColumn(const QString &field);
    // Asks "是否恢复默认显示设置"; on Yes deletes the user's rows and marks the
    // layout as reset. Returns true when reset.
    bool RestoreDefaultLayout();
    // Deletes the rows of all users, without asking.
    bool ClearLayoutForAll();
    // Writes the changed columns; frees the lists and clears the reset mark.
    void SaveLayout();
    void clearLists();

    // --- recording (the grid calls these after the user's changes) ---------------------
    void RecordWidth(const QString &field, int pixels, int position);
    void RecordOrder(const QString &field, int position);

    // Merges the saved columns into the fields data before the query opens.
    // Returns the fields whose saved column was narrowed away (their rows are
    // dropped and they are hidden).
    QStringList MergeInto(QList<TFieldsData> &fieldsData);

private:
    QString whereUser() const;
    void addColumn(const QString &field, int pixels, int position);
    bool unchanged(int listIndex) const;
};

} // namespace Orb
