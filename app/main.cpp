// FragDocker: sets up and starts an Elite Force multiplayer server.

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

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // hidden windows still count
    fd::ui::installProgramLook();

    const QString appFolder = QCoreApplication::applicationDirPath();
    fd::SystemCuePlayer cues(appFolder);
    fd::ui::QtMessageBox messages;
    fd::SystemProcessLauncher launcher;
    fd::ui::QtFolderChooser folders;
    // The game is found in the registry of the default Wine prefix.
    fd::Program program({cues, messages, launcher, folders}, appFolder,
                        QDir::homePath() + QStringLiteral("/.wine"));
    fd::Desktop desktop(program);
    fd::endOnTerminationSignals([&program] { fd::Form_Unload(program.ctx); });
    if (!desktop.start())
        return 1; // start-up could not go on
    return QApplication::exec();
}
