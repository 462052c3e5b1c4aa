#pragma once
// The tables of the system: columns with their kinds and widths, keys and
// the indexes the hot queries need. Created on first use on either engine.

#include <QList>
#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace Orb {

enum class ColumnKind { Text, Integer, Float, Date, Memo, Picture };

struct ColumnDef {
    QString name;
    ColumnKind kind;
    int width = 0;   // GBK bytes of a text column
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QStringList primaryKey;
    QList<QStringList> uniques;
    QList<QStringList> indexes;

    const ColumnDef *column(const QString &name) const;
};

const QList<TableDef> &SchemaTables();
const TableDef *FindTable(const QString &name);
// True when some table has a date column of that name (names are upper case
// and a name has one kind across the schema).
bool IsDateColumnName(const QString &name);

// Creates the missing tables and indexes and ships the program groups.
// Returns false with the error text on failure.
bool EnsureSchema(QSqlDatabase &db, QString *error = nullptr);

// The program groups and programs of the menu: (group id, name) and
// (group id, program id, name, applicable rights add/browse/print/verify).
struct ProgramDef {
    int composeId;
    int programId;
    QString name;
    bool add, browse, print, verify;
};
QList<QPair<int, QString>> ShippedGroups();
QList<ProgramDef> ShippedPrograms();

} // namespace Orb
