#pragma once
// The start-up work of the main window's creation that needs no window:
// directories, the cleanup of stray table files and the run-time values read
// from the database.

#include <QString>

namespace Orb {

// DataBaseDir, ProgramDir and TempDir from the link's directory.
void DeriveDirectories(const QString &dataBaseDir);
// Reads CompanyTitle, FinanceFormat and the employee captions.
void ReadStartupValues();
// The number of system users; 0 leads to the enrolment.
int CountSystemUsers();
// Everything of the above after a connection: directories, cleanup of
// ProgramDir, run-time values, work date.
void InitAfterConnect(const QString &dataBaseDir);

} // namespace Orb
