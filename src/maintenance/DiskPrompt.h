#pragma once
// The question asked before a volume is written or read when no OnNeedDisk
// handler is set: insert the disk for volume n and press OK, or cancel.

namespace Orb {

// True when the user pressed OK.
bool AskForDisk(int diskNumber);

} // namespace Orb
