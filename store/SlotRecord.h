#pragma once
// A save slot's record and the controls: what a save stores, what a load puts back, and what a
// new store's slots start with.

#include "SettingsStore.h"

namespace fd {

class FormModel;
class SettingsStore;
struct Context;

// The controls as a save stores them: texts without their leading and trailing spaces, check
// boxes and option buttons as booleans, the flag false, the slot chooser's text and the game
// folder dialog's path box.
StoredRecord recordFromControls(const FormModel& form);
// Puts a record into the controls as the user's own changes would, in load order: the order of
// the record, but the map limits and then the number of bots last. Nulls give empty text, an
// unchecked box and an unselected option.
void putIntoControls(FormModel& form, const StoredRecord& record);
// A slot of a new store: the initial settings stored as a save would store them, the slot's
// own name and the game folder in use.
StoredRecord initialRecord(const QString& slot, const QString& gameFolder);

// Copies the controls into the slot's record, with the slot's new list files, all or nothing.
Outcome<> EditRecord(Context& ctx, SettingsStore& store, const QString& slot,
                     const std::vector<ReplacedFile*>& listFiles);
// Copies the slot's record into the controls; nothing when it cannot be read whole.
Outcome<> GetFromDatabase(Context& ctx, SettingsStore& store, const QString& slot);

// Start-up: checks, compacts when needed and opens the store, telling the user about a damaged
// store that was kept aside (and, on standard error, about a store opened uncompacted for lack of
// room). False, after telling what failed, when there is no store to work with.
bool openSettingsStore(Context& ctx, SettingsStore& store);

} // namespace fd
