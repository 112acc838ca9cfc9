// FragDocker: sets up and starts an Elite Force multiplayer server.

#include "Program.h"
#include "core/Context.h"
#include "core/SystemCuePlayer.h"
#include "core/SystemProcessLauncher.h"
#include "ui/FormBuilder.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBox.h"
#include "ui/SmallWindow.h"
#include "ui/WindowManager.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // hidden windows still count
    fd::ui::installProgramLook();

    const QString appFolder = QCoreApplication::applicationDirPath();
    fd::FormModel form;
    fd::SystemCuePlayer cues(appFolder);
    fd::ui::QtMessageBox messages;
    fd::SystemProcessLauncher launcher;
    fd::Context ctx{form, cues, messages, launcher, appFolder};
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
        case Window::frmGamePath:
            return new SmallWindow(form, fd::ui::gamePathDialog());
        case Window::frmErrorMap:
            return new SmallWindow(form, fd::ui::errorMapNotice());
        case Window::frmFragdockerRunning:
            return new SmallWindow(form, fd::ui::runningNotice());
        }
        return nullptr;
    });
    windows.window(fd::Window::frmFragDocker);
    form.show(fd::Window::frmFragDocker);
    fd::Form_Load(ctx);
    return QApplication::exec();
}
