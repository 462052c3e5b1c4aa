#pragma once
// The local-SQL adapter: statements are written in the standard dialect
// (SUBSTRING(x FROM a FOR b), EXTRACT(YEAR FROM x), dates as 'MM/DD/YYYY').
// PostgreSQL runs them natively; for SQLite they are rewritten, and date
// literals that meet a date column become the ISO text SQLite stores.

#include <QString>

namespace Orb {

enum class SqlEngine { Sqlite, Postgres };

QString TranslateSql(const QString &sql, SqlEngine engine);

} // namespace Orb
