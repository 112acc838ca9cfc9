#pragma once
// The Save/Load tab: Save and Load of the slot that the chooser names, and the chooser.

#include "core/Outcome.h"

#include <QString>

namespace fd {

class FormModel;
class SettingsStore;
struct Context;

void declareSaveLoadControls(FormModel& form);
void connectSaveLoadHandlers(Context& ctx, SettingsStore& store);

// Whether a text is one of the seven slot names, exactly.
bool isSlotName(const QString& text);

// Save: the waiting cue, SaveSlot of the slot the chooser names, the closing cue; a failure is
// told.
void cmdSave_Click(Context& ctx, SettingsStore& store);
// The controls into the slot's record, with its bot list file and its map list file, all or
// nothing; a failure names what could not be written.
Outcome<> SaveSlot(Context& ctx, SettingsStore& store, const QString& slot);
// Load: the cue, then LoadSlot of the slot the chooser names; a failure is told.
void cmdLoad_Click(Context& ctx, SettingsStore& store);
// The slot's record into the controls, then both list files appended to the lists; a failure
// when the record cannot be read.
Outcome<> LoadSlot(Context& ctx, SettingsStore& store, const QString& slot);
// Typing into the chooser, or a load setting it, empties the description.
void cmboSaveGame_Change(Context& ctx);

} // namespace fd
