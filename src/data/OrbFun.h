#pragma once
// The helper library every window and component uses: running SQL in the
// standard dialect on the one connection, single values, the message boxes,
// and the text, number and file utilities.

#include "data/Messages.h"
#include "data/RunTime.h"

#include <QStringList>
#include <QVariant>
#include <memory>

class QComboBox;
class QSqlQuery;

namespace Orb {

inline const QString kDataBaseName = QStringLiteral("OrbCashierDataBase");

// --- quoting: every text value that enters SQL goes through here ---------

// The text between single quotes, embedded quotes doubled: O'Brien -> 'O''Brien'.
QString QuotedStr(const QString &text);
// The text with embedded quotes doubled, for callers that write the quotes.
QString SqlEscape(const QString &text);

// --- dialect text ---------------------------------------------------------

// Part of a text column: SubString(col FROM a FOR b) / SubString(col,a,b) / MID(col,a,b).
QString SubStringSql(TSqlType type, const QString &column, int start, int count);
QString SubStringSql(TSqlType type, const QString &column, const QString &start,
                     const QString &count);
// 'MM/DD/YYYY' with the quotes; the same in every dialect.
QString DateLiteral(const QDate &date);
// The date text "MM/DD/YYYY" without quotes.
QString DateText(const QDate &date);
// The work date statement of the dialect, empty when the local date counts.
QString WorkDateSql(TSqlType type);

// --- SQL on the connection OrbCashierDataBase -----------------------------

// True on success, false on any error (nothing is shown).
bool ExecSql(const QString &sql);
// Runs the statement; errors propagate as EDBEngineError.
void ExecSqlOrThrow(const QString &sql);
// An active query positioned before its first row; errors propagate.
std::unique_ptr<QSqlQuery> OpenSql(const QString &sql);
// First column of the first row as text; empty text without a row.
QString GetSqlText(const QString &sql);
// First column of the first row through TextToNumber; 0 without a row.
double GetSqlNumber(const QString &sql);
// Without a row: a null QVariant; one column: its value; several: a QVariantList.
QVariant GetSqlRow(const QString &sql);
// Exactly one row and column: that value; otherwise a QVariantList of rows
// (each a QVariantList); no row: an invalid (unassigned) QVariant.
QVariant GetSqlRows(const QString &sql);
// The value of a field as the text the system shows (dates as YYYY-MM-DD).
QString FieldText(const QVariant &value);

// Replaces the items of the combo box with the field's values in row order.
void FillComboBoxItems(QComboBox *combo, QSqlQuery &query, const QString &fieldName);

// --- text and number utilities ---------------------------------------------

double TextToNumber(const QString &text);
QString RoundToText(int decimals, const QString &rule, double value);
QString ZeroPad(const QString &text, int n);
QString WrapText(const QString &text, int widthBytes);
QString SplitField(const QString &text, const QString &delimiter, int index);
QString PathOfFile(const QString &fileName);
bool IsDirectory(const QString &path);
QString GetTempDir();
bool CopyDirectory(const QString &from, const QString &to);
// Deletes *.DB / *.MB files (any case) except SYS_BACK_TABLE.DB; returns the
// number deleted, -1 when the directory cannot be listed.
int CleanTableFiles(const QString &dir);
// The directory a database link points at; empty when there is no such link.
QString DataBasePhysicalPath(const QString &aliasName);

// Opens the date picker on the date text (or the default text when empty);
// returns "YYYY/MM/DD", or empty text when cancelled.
QString PickDate(const QString &dateText, const QString &defaultText);

} // namespace Orb
