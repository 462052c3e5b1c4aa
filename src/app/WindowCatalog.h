#pragma once
// Registers the business windows and maintenance procedures of every library
// with the window registry; each library adds its one call here.

namespace Orb {

void RegisterAllWindows();

} // namespace Orb
