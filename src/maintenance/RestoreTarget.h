#pragma once
// Where a stored entry name may be restored. Stored names are full paths
// (GBK, '/' or '\' separated). Into a target directory only the file name is
// used; without one the stored path must be absolute. A name with a ".."
// part, or without a usable file name, is refused: an archive this system
// writes never holds one, so it can only aim outside the target.

#include <QString>

namespace Orb {

// The path to write, or empty text when the name is refused.
QString RestoreTargetPath(const QString &storedName, const QString &destDir);

} // namespace Orb
