#pragma once
// The PostgreSQL settings of the database link: tried before they are stored,
// and stored in the user's own link file, readable by the user alone.

#include "data/Database.h"

#include <QString>

namespace Orb {

// "host" or "host:port" into the link; the database name stays the link's
// (or "orbcashier" for a new one).
LinkConfig ServerLinkFrom(const LinkConfig &current, const QString &server, const QString &user,
                          const QString &password);
// Empty text when a connection with these settings opens; else the reason.
QString TryServerLink(const LinkConfig &link);
// Writes the link file with owner-only permissions; the reason on failure.
QString SaveServerLink(const LinkConfig &link);

} // namespace Orb
