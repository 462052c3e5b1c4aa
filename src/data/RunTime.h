#pragma once
// Process-wide run-time values, set at start-up, logon or by settings.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace Orb {

enum TSqlType : unsigned char { urStandard = 0, urSql_Server = 1, urAccess = 2 };

extern QString DataBaseDir;       // physical directory of the database link
extern QString ProgramDir;        // parent of DataBaseDir
extern QString TempDir;           // system temporary directory
extern QString WorkDate;          // "YYYY-MM-DD"
extern TSqlType AppSqlType;
extern QString CompanyTitle;
extern QString LogonUserID;
extern QString LogonUserName;
extern bool LogonSysUser;
extern QString ImeName;
extern QString EmployeeIDCaption;
extern QString EmployeeNameCaption;
extern bool FinanceFormat;
extern int NumberingMode;

// The clock every "today" and time stamp is read from; tests fix it.
QDateTime Now();
QDate Today();
void SetFixedNow(const QDateTime &now);   // invalid value: back to the real clock
bool ClockIsFixed();

// Dates are shown and typed as YYYY-MM-DD everywhere.
inline const QString kShortDateFormat = QStringLiteral("yyyy-MM-dd");

} // namespace Orb
