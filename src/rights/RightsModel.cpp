#include "rights/RightsModel.h"

#include "data/OrbFun.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace Orb {

QString RightColumn(int kind)
{
    static const char *const names[] = {"ADD_RIGHT",    "EDIT_RIGHT",   "DELETE_RIGHT",
                                        "BROWSE_RIGHT", "PRINT_RIGHT", "VERIFY_RIGHT",
                                        "CURRENCY_RIGHT"};
    return kind >= 0 && kind < 7 ? QString::fromLatin1(names[kind]) : QString();
}

int ComposeIdOf(const QString &groupName)
{
    return int(GetSqlNumber(QStringLiteral("SELECT COMPOSE_ID FROM  SYS_COMPOSE_TABLE WHERE "
                                           "COMPOSE_NAME =")
                            + QuotedStr(groupName)));
}

int ProgramIdOf(const QString &programName, int composeId)
{
    return int(GetSqlNumber(QStringLiteral("SELECT PROGRAM_ID FROM  SYS_PROGRAM_TABLE WHERE "
                                           "PROGRAM_NAME =%1 and COMPOSE_ID =%2")
                                .arg(QuotedStr(programName))
                                .arg(composeId)));
}

TRights GetRights(const QString &groupName, const QString &programName, const QString &userId)
{
    TRights r;
    const int group = ComposeIdOf(groupName);
    if (group == 0) {
        ShowWarning(groupName + QStringLiteral("程序组找不到"));
        return r;
    }
    const int program = ProgramIdOf(programName, group);
    if (program == 0) {
        ShowWarning(programName + QStringLiteral("程序找不到"));
        return r;
    }
    auto q = OpenSql(QStringLiteral("SELECT * FROM  SYS_RIGHT_TABLE WHERE COMPOSE_ID =%1 and "
                                    "PROGRAM_ID =%2 and USE_ID =%3")
                         .arg(group)
                         .arg(program)
                         .arg(QuotedStr(userId)));
    if (!q->next())
        return r;
    const QSqlRecord rec = q->record();
    auto yes = [&](int kind) {
        // Column names come back in the engine's case; look them up loosely.
        for (int i = 0; i < rec.count(); ++i)
            if (rec.fieldName(i).compare(RightColumn(kind), Qt::CaseInsensitive) == 0)
                return q->value(i).toString() == QStringLiteral("是");
        return false;
    };
    r.add = yes(rkAdd);
    r.edit = yes(rkEdit);
    r.del = yes(rkDelete);
    r.browse = yes(rkBrowse);
    r.print = yes(rkPrint);
    r.verify = yes(rkVerify);
    r.currency = yes(rkCurrency);
    r.found = true;
    return r;
}

QString GetRight(const QString &userId, int groupId, int kind, int programId)
{
    const QString value = GetSqlText(
        QStringLiteral("SELECT %1 FROM SYS_RIGHT_TABLE WHERE USE_ID = %2 AND COMPOSE_ID = %3 "
                       "AND PROGRAM_ID = %4")
            .arg(RightColumn(kind), QuotedStr(userId))
            .arg(groupId)
            .arg(programId));
    return value.isEmpty() ? QStringLiteral("否") : value;
}

bool SetRight(const QString &userId, int groupId, const QString &value, int kind, int programId)
{
    const QString where = QStringLiteral("USE_ID = %1 AND COMPOSE_ID = %2 AND PROGRAM_ID = %3")
                              .arg(QuotedStr(userId))
                              .arg(groupId)
                              .arg(programId);
    const bool exists =
        GetSqlNumber(QStringLiteral("SELECT COUNT(USE_ID) FROM SYS_RIGHT_TABLE WHERE ") + where)
        > 0;
    if (exists)
        return ExecSql(QStringLiteral("UPDATE SYS_RIGHT_TABLE SET %1 = %2 WHERE %3 ")
                           .arg(RightColumn(kind), QuotedStr(value), where));
    return ExecSql(QStringLiteral(" INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID, %1) "
                                  "VALUES(%2, %3,%4,%5)")
                       .arg(RightColumn(kind), QuotedStr(userId))
                       .arg(groupId)
                       .arg(programId)
                       .arg(QuotedStr(value)));
}

bool HasBrowseRight(const QString &groupName, const QString &programName, const QString &userId)
{
    const TRights r = GetRights(groupName, programName, userId);
    return r.found && r.browse;
}

QString NoRightText(const QString &programName)
{
    return QStringLiteral("您没有在程序\"") + programName + QStringLiteral("\"中的权限");
}

} // namespace Orb
