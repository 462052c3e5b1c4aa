#include "rights/PasswordHash.h"

#include <sodium.h>

namespace Orb {

namespace {

bool SodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// Interactive limits: a logon stays well under a second on a small machine.
constexpr unsigned long long kOps = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t kMem = crypto_pwhash_MEMLIMIT_INTERACTIVE;

} // namespace

QString HashPassword(const QString &password)
{
    if (!SodiumReady())
        return QString();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, utf8.constData(), utf8.size(), kOps, kMem,
                              crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        return QString();
    return QString::fromLatin1(out);
}

bool VerifyPassword(const QString &password, const QString &storedHash)
{
    if (!SodiumReady() || storedHash.isEmpty())
        return false;
    const QByteArray hash = storedHash.toLatin1();
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(), utf8.size()) == 0;
}

} // namespace Orb
