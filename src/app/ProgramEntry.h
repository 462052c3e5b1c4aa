#pragma once
// The program's start-up sequence up to the decision between logon and
// enrolment.

namespace Orb {

struct StartupResult {
    bool terminate = true;
    int systemUsers = 0;
};

// Splash, title, data module with the link check, connection, directories,
// cleanup and run-time values, the splash's three seconds, the user count.
StartupResult RunStartup();

} // namespace Orb
