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

// Start-up's game folder step. With no path file, the dialog comes up in place of the main
// window, and its load step fills the path box from the registry of the Wine prefix and writes
// the path file. Then the path file is read into the path box, and a folder without the game
// brings up the dialog.
void FindGameFolder(Context& ctx, const QString& winePrefix);
// Find Game Path: the dialog with the folder in use, in place of the main window.
void cmdRefindGamePatch_Click(Context& ctx);

namespace frmGamePath {

// Yes: a folder holding stvoyHM.exe is remembered and the main window comes back; any other
// gets a message, then the folder chooser.
void cmdYes_Click(Context& ctx);
// No: the folder chooser.
void cmdNo_Click(Context& ctx);
// Closing the dialog by its frame brings back the main window.
void closeByFrame(Context& ctx);

} // namespace frmGamePath
} // namespace fd
