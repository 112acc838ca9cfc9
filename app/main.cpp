// FragDocker: sets up and starts an Elite Force multiplayer server.

#include "Program.h"
#include "TerminationSignals.h"
#include "core/Context.h"
#include "core/SystemCuePlayer.h"
#include "core/SystemProcessLauncher.h"
#include "gamepath/frmGamePath.h"
#include "store/SettingsStore.h"
#include "ui/FormBuilder.h"
#include "ui/MainWindow.h"
#include "ui/QtFolderChooser.h"
#include "ui/QtMessageBox.h"
#include "ui/SmallWindow.h"
#include "ui/WindowManager.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // hidden windows still count
    fd::ui::installProgramLook();

    const QString appFolder = QCoreApplication::applicationDirPath();
    fd::FormModel form;
    fd::SystemCuePlayer cues(appFolder);
    fd::ui::QtMessageBox messages;
    fd::SystemProcessLauncher launcher;
    fd::ui::QtFolderChooser folders;
    fd::SettingsStore store; // open from start-up to the end of the run
    const QString winePrefix = QDir::homePath() + QStringLiteral("/.wine");
    fd::Context ctx{form, cues, messages, launcher, appFolder, folders, store, winePrefix};
    fd::declareControls(form);
    fd::connectHandlers(ctx);

    fd::ui::WindowManager windows(form, [&](fd::Window window) -> QWidget* {
        using fd::Window;
        using fd::ui::SmallWindow;
        switch (window) {
        case Window::frmFragDocker: {
            auto* main = new fd::ui::MainWindow(form, appFolder);
            QObject::connect(main, &fd::ui::MainWindow::closeRequested, main,
                             [&ctx] { fd::Form_Unload(ctx); });
            return main;
        }
        case Window::frmGamePath: {
            auto* dialog = new SmallWindow(form, fd::ui::gamePathDialog());
            QObject::connect(dialog, &SmallWindow::closeRequested, dialog,
                             [&ctx] { fd::frmGamePath::closeByFrame(ctx); });
            return dialog;
        }
        case Window::frmErrorMap:
            return new SmallWindow(form, fd::ui::errorMapNotice());
        case Window::frmFragdockerRunning:
            return new SmallWindow(form, fd::ui::runningNotice());
        }
        return nullptr;
    });
    windows.window(fd::Window::frmFragDocker);
    form.show(fd::Window::frmFragDocker);
    fd::endOnTerminationSignals([&ctx] { fd::Form_Unload(ctx); });
    fd::Form_Load(ctx);
    if (form.isClosed(fd::Window::frmFragDocker))
        return 1; // start-up could not go on
    return QApplication::exec();
}
