#pragma once
// The statement of a value look-up over a one-column value table: the values
// that contain the typed fragment. The fragment is quoted, and its LIKE
// wildcards are escaped, so a typed "'" or "%" finds that text and nothing else.

#include <QString>

namespace Orb {

QString LookupTextSql(const QString &table, const QString &column, const QString &typed);

// The LIKE pattern "%fragment%" as a quoted SQL text, with " ESCAPE '\'"
// appended when the fragment holds a wildcard or the escape character.
QString ContainsPattern(const QString &typed);

} // namespace Orb
