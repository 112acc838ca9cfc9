#pragma once
// `--status`: asks the servers of the save slots whether they answer, and prints what they
// say for a person.

#include <QString>

namespace fd {
struct Context;
class SettingsStore;
} // namespace fd

namespace fd::hosting {

// The server of the slot loaded into the form: its name, map, game type, port and players
// (bots marked) on standard output when it answered a getstatus query within about a second,
// else on standard error that it did not; true when it answered.
bool reportSlotServer(Context& ctx, const QString& slot);
// One tab-separated line per slot: its name, its port and what answers there, all asked at
// once: its own server, another slot's that shares its port (told by the note --engage leaves,
// see RunningServers.h), or none. A slot that cannot be read is named on standard error and left
// out; false when that happened.
bool reportEverySlot(Context& ctx, SettingsStore& store);

} // namespace fd::hosting
