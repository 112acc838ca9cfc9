#include "RunProgram.h"

#include "Desktop.h"
#include "Program.h"
#include "TerminationSignals.h"
#include "platform/SystemCuePlayer.h"
#include "platform/SystemProcessLauncher.h"
#include "platform/WinePrefix.h"
#include "ui/EndingDialogs.h"
#include "ui/ProgramLook.h"
#include "ui/QtFolderChooser.h"
#include "ui/QtMessageBox.h"

#include <QApplication>

namespace fd {

int runProgram(const AppFolders& appFolders) {
    QApplication::setQuitOnLastWindowClosed(false); // hidden windows still count
    ui::installProgramLook();

    SystemCuePlayer cues(appFolders.shipped);
    ui::QtMessageBox messages;
    // The game is found in the registry of the Wine prefix in use, and runs in that prefix.
    const QString winePrefix = winePrefixInUse();
    SystemProcessLauncher launcher(winePrefix);
    ui::QtFolderChooser folders;
    Program program({cues, messages, launcher, folders}, appFolders, winePrefix);
    Desktop desktop(program);
    endOnTerminationSignals([&program] {
        ui::closeDialogsFromNowOn(); // a handler waiting on one goes on to its end
        Form_Unload(program.ctx);
    });
    if (!desktop.start())
        return 1; // start-up could not go on
    return QApplication::exec();
}

} // namespace fd
