#pragma once
// Opens a file with the program the desktop associates with its type.

#include <QString>

namespace Orb {

// False when the desktop has no program for the file's type or cannot
// start one.
bool OpenWithDesktop(const QString &fileName);

} // namespace Orb
