#pragma once
// `--status`: asks the servers of the save slots whether they answer, and prints what they
// say for a person.

#include "core/Outcome.h"

#include <QString>

namespace fd {
struct Context;
class FormModel;
class SettingsStore;
} // namespace fd

namespace fd::hosting {

// The server of the slot loaded into the form: its name, map, game type, port and players
// (bots marked) on standard output when it answered a getstatus query within about a second,
// else on standard error that it did not; whether it answered. A refusal when the slot's port
// is no port number.
Outcome<bool> reportSlotServer(const FormModel& form, const QString& slot);
// One tab-separated line per slot: its name, its port and what answers there, all asked at
// once: its own server, another slot's that shares its port (told by the note --engage leaves,
// see RunningServers.h), or none; a slot whose port is no port number is told about. A slot
// that cannot be read is left out, and the failure names each one that could not.
Outcome<> reportEverySlot(Context& ctx, SettingsStore& store);

} // namespace fd::hosting
