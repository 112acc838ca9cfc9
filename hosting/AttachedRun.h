#pragma once
// The game run attached instead of detached, for a host that supervises this program: it stays
// with the game, which writes to the same terminal or journal, passes SIGTERM, SIGINT, SIGHUP
// and SIGQUIT on to it, watches its server for the service manager and ends with its status.

#include "core/Services.h"

#include <netinet/in.h>

namespace fd::hosting {

// Starts the prepared command and watches its server, asked at `server`, until the game ends.
// The status it ended with: its exit code, or 128 plus the signal that ended it, as a shell
// gives it; 0 when it ended after a stop passed on to it. A failure when it could not start.
Outcome<int> runAttached(const ProcessCommand& command, const sockaddr_in& server);

} // namespace fd::hosting
