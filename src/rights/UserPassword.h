#pragma once
// Users and their passwords in SYS_USER_TABLE. The stored password is an
// Argon2id hash: the SQL only selects the user, the hash is compared here.

#include <QString>

namespace Orb {

struct LogonUser {
    bool found = false;
    QString id;
    QString name;
    bool sysUser = false;
};

// An active user ("有效") whose id or name is the trimmed text and whose
// password matches the trimmed password.
LogonUser FindLogonUser(const QString &idOrName, const QString &password);
// True when the user exists and the password matches.
bool CheckUserPassword(const QString &userId, const QString &password);
// Stores the hash of the trimmed password; false when nothing was written.
bool ChangeUserPassword(const QString &userId, const QString &password);

} // namespace Orb
