#include "rights/UserPassword.h"

#include "data/OrbFun.h"
#include "rights/PasswordHash.h"

#include <QSqlQuery>

namespace Orb {

LogonUser FindLogonUser(const QString &idOrName, const QString &password)
{
    const QString t = QuotedStr(idOrName.trimmed());
    auto q = OpenSql(QStringLiteral("SELECT  USE_ID,USE_NAME,SYS_USER,STOP_RIGHT,USE_PASSWORD "
                                    "from SYS_USER_TABLE where ((USE_ID = %1) OR (USE_NAME = %1)) "
                                    " and STOP_RIGHT ='有效' ORDER BY USE_ID")
                         .arg(t));
    LogonUser user;
    // An id of one user may equal the name of another: the first whose
    // password matches wins.
    while (q->next()) {
        if (!VerifyPassword(password.trimmed(), q->value(4).toString()))
            continue;
        user.found = true;
        user.id = q->value(0).toString();
        user.name = q->value(1).toString();
        user.sysUser = q->value(2).toString() == QStringLiteral("是");
        break;
    }
    return user;
}

bool CheckUserPassword(const QString &userId, const QString &password)
{
    const QString hash = GetSqlText(
        QStringLiteral("SELECT USE_PASSWORD from SYS_USER_TABLE where USE_ID = ")
        + QuotedStr(userId));
    return !hash.isEmpty() && VerifyPassword(password.trimmed(), hash);
}

bool ChangeUserPassword(const QString &userId, const QString &password)
{
    const QString hash = HashPassword(password.trimmed());
    if (hash.isEmpty())
        return false;
    if (GetSqlNumber(QStringLiteral("SELECT COUNT(USE_ID) FROM SYS_USER_TABLE WHERE USE_ID = ")
                     + QuotedStr(userId))
        == 0)
        return false;
    return ExecSql(
        QStringLiteral("Update SYS_USER_TABLE set USE_PASSWORD  = %1 where  USE_ID  = %2")
                       .arg(QuotedStr(hash), QuotedStr(userId)));
}

} // namespace Orb
