#pragma once
// The program as a whole: its controls, the handlers behind them, its start and its end.

#include "core/Context.h"
#include "store/SettingsStore.h"

namespace fd {

// The main window is being closed: every window closes, and the program ends.
void Form_Unload(Context& ctx);
// OK on the running notice: every window closes, and this second copy ends.
void frmFragdockerRunning_cmdOk_Click(Context& ctx);

// The platform services the program works with.
struct Services {
    CuePlayer& cues;
    MessageBox& messages;
    ProcessLauncher& launcher;
    FolderChooser& folders;
};

// The program's state with every handler connected, not yet started: the controls, the
// settings store (held open from start-up to the end of the run) and the context the
// handlers work in.
class Program {
public:
    Program(const Services& services, const AppFolders& appFolders, const QString& winePrefix = {});
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    FormModel form;
    SettingsStore store;
    Context ctx;
    const QString winePrefix; // whose registry tells where the game is installed
};

// The main window's load step: the single-instance guard, then the start-up sequence.
void Form_Load(Program& program);
// For the command line: makes the writable folder and, when it holds no settings store, the
// store of a first start. False after a message.
bool makeFirstStore(Context& ctx, SettingsStore& store);

} // namespace fd
