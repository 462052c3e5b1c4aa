#pragma once
// The "archive" attribute of a file, which marks it as changed since it was
// last packed. Linux has no such attribute: packing records the file's size
// and modification time in the extended attribute user.orb.archived, and the
// attribute counts as set while the file differs from that record (or has
// none). On a file system without user attributes every file counts as set.

#include <QString>

namespace Orb {

bool HasArchiveAttribute(const QString &fileName);
// Returns false when the record could not be written.
bool ClearArchiveAttribute(const QString &fileName);

} // namespace Orb
