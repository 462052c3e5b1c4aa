#pragma once
// Whether the first show of the main window offers the automatic backup; the
// enrolment switches the offer off for its own session.

namespace Orb {

inline bool SkipAutoBackupOffer = false;

} // namespace Orb
