#pragma once
// Rights per user and program: SYS_COMPOSE_TABLE (groups), SYS_PROGRAM_TABLE
// (programs) and SYS_RIGHT_TABLE (seven "是"/"否" rights per user and program).

#include <QString>

namespace Orb {

// Index order of the seven rights.
enum TRightKind { rkAdd = 0, rkEdit, rkDelete, rkBrowse, rkPrint, rkVerify, rkCurrency };

// The column of a right kind; the delete column is written DELETE_RIGHT (the
// database compares column names without regard to case).
QString RightColumn(int kind);

struct TRights {
    bool add = false, edit = false, del = false, browse = false;
    bool print = false, verify = false, currency = false;
    bool found = false;   // a row existed
};

// Group and program ids by name; 0 when missing (ids start at 1).
int ComposeIdOf(const QString &groupName);
int ProgramIdOf(const QString &programName, int composeId);

// The user's rights on the program; a missing group or program warns
// (group + "程序组找不到" / program + "程序找不到") and gives no rights.
TRights GetRights(const QString &groupName, const QString &programName, const QString &userId);
// One right as text, "否" without a row or value.
QString GetRight(const QString &userId, int groupId, int kind, int programId);
// Stores one right, inserting the row when the user has none for the program.
bool SetRight(const QString &userId, int groupId, const QString &value, int kind, int programId);

// The browse right, which opens the program at all.
bool HasBrowseRight(const QString &groupName, const QString &programName, const QString &userId);

// "您没有在程序"<program>"中的权限"
QString NoRightText(const QString &programName);

} // namespace Orb
