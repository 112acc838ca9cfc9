#pragma once
// The program's logic with no window, no sound and messages on standard error: lists the save
// slots, prints the script of one, starts the game with it or asks its server, through the same
// Load and ENGAGE that the window runs.

#include "CommandLineOptions.h"
#include "core/AppFolders.h"

namespace fd {

// Runs the request; returns the exit code.
int runRequest(const Request& request, const AppFolders& appFolders);

} // namespace fd
