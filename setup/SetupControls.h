#pragma once
// A set-up and the controls: what Load puts into them from a set-up file, and what a set-up
// file takes from them.

#include "SetupFile.h"

namespace fd {
struct Context;
class FormModel;
} // namespace fd

namespace fd::setup {

// A new slot's record, for the settings a file leaves out: the initial settings, the slot's
// name, and the game folder that path.ini names (none without one).
StoredRecord freshRecord(Context& ctx, const QString& slot);
// The set-up with the slot's name in place of the one it holds, as the slot's own.
Setup namedAs(Setup setup, const QString& slot);
// Puts the set-up into the controls as Load does: the record, then the two lists in place of
// what they held.
void putSetup(Context& ctx, const Setup& setup);
// The set-up the controls hold, as Save stores it.
Setup setupFromControls(const FormModel& form);

} // namespace fd::setup
