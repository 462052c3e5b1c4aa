#pragma once
// Passwords are stored as salted Argon2id hashes (libsodium's string form).

#include <QString>

namespace Orb {

// The hash text to store in USE_PASSWORD; empty if hashing failed.
QString HashPassword(const QString &password);
// True when the typed password matches the stored hash.
bool VerifyPassword(const QString &password, const QString &storedHash);

} // namespace Orb
