#pragma once
// The game folder dialog: its path box holds the game folder for the whole program. The user
// confirms the folder (Yes) or chooses another one (No); a confirmed folder is remembered in
// the path file path.ini of the application folder.

#include <QString>

namespace fd {

class FormModel;
struct Context;

// The dialog's buttons, and the main window's Find Game Path button and copy of the folder.
void declareGamePathControls(FormModel& form);
void connectGamePathHandlers(Context& ctx);

// Start-up, before the path file is read: with no path file, the dialog comes up in place of
// the main window (and its load step fills the path box from the registry).
void showGamePathDialogWhenNoPathFile(Context& ctx);
// Start-up, after the path file is read: a game folder without the game brings up the dialog.
void showGamePathDialogWhenGameMissing(Context& ctx);
// Find Game Path: the dialog with the folder in use, in place of the main window.
void cmdRefindGamePatch_Click(Context& ctx);

namespace frmGamePath {

// The dialog's load step: with no path file, the path box is filled from the registry.
void Form_Load(Context& ctx);
// Writes the path file (empty) first, then puts the registry's game folder into the path box
// and writes it as the path file's one line.
void FillFromRegistry(Context& ctx);
// The folder chooser; a chosen folder goes into the path box, a cancelled one changes nothing.
void BrowseForGameFolder(Context& ctx);
// Yes: a folder holding stvoyHM.exe is remembered and the main window comes back; any other
// gets a message, then the folder chooser.
void cmdYes_Click(Context& ctx);
// No: the folder chooser.
void cmdNo_Click(Context& ctx);
// Closing the dialog by its frame brings back the main window.
void closeByFrame(Context& ctx);

} // namespace frmGamePath
} // namespace fd
