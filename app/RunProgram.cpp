#include "RunProgram.h"

#include "Desktop.h"
#include "Program.h"
#include "TerminationSignals.h"
#include "core/SystemCuePlayer.h"
#include "core/SystemProcessLauncher.h"
#include "ui/FormBuilder.h"
#include "ui/QtFolderChooser.h"
#include "ui/QtMessageBox.h"

#include <QApplication>
#include <QDir>

namespace fd {

int runProgram(const QString& appFolder) {
    QApplication::setQuitOnLastWindowClosed(false); // hidden windows still count
    ui::installProgramLook();

    SystemCuePlayer cues(appFolder);
    ui::QtMessageBox messages;
    SystemProcessLauncher launcher;
    ui::QtFolderChooser folders;
    // The game is found in the registry of the default Wine prefix.
    Program program({cues, messages, launcher, folders}, appFolder,
                    QDir::homePath() + QStringLiteral("/.wine"));
    Desktop desktop(program);
    endOnTerminationSignals([&program] { Form_Unload(program.ctx); });
    if (!desktop.start())
        return 1; // start-up could not go on
    return QApplication::exec();
}

} // namespace fd
