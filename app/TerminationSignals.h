#pragma once

#include <functional>

namespace fd {

// Runs `end` in the event loop when the system asks the program to end (SIGTERM at logout,
// SIGHUP, SIGINT), so that it ends in order: the windows close and the settings store is
// closed, its lock file removed, as at any normal end. Call once, after creating the
// application object.
void endOnTerminationSignals(std::function<void()> end);

} // namespace fd
