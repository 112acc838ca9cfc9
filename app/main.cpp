// FragDocker: sets up and starts an Elite Force multiplayer server.

#include "Program.h"
#include "core/Context.h"
#include "core/SystemCuePlayer.h"
#include "core/SystemProcessLauncher.h"
#include "ui/FormBuilder.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBox.h"
#include "ui/WindowManager.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false); // hidden windows still count
    fd::ui::installFontSubstitutions();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QApplication::setFont(font);

    const QString appFolder = QCoreApplication::applicationDirPath();
    fd::FormModel form;
    fd::SystemCuePlayer cues(appFolder);
    fd::ui::QtMessageBox messages;
    fd::SystemProcessLauncher launcher;
    fd::Context ctx{form, cues, messages, launcher, appFolder};
    fd::declareControls(form);
    fd::connectHandlers(ctx);

    fd::ui::WindowManager windows(form, [&](fd::Window window) -> QWidget* {
        if (window != fd::Window::frmFragDocker)
            return nullptr;
        auto* main = new fd::ui::MainWindow(form, appFolder);
        QObject::connect(main, &fd::ui::MainWindow::closeRequested, main,
                         [&ctx] { fd::Form_Unload(ctx); });
        return main;
    });
    windows.window(fd::Window::frmFragDocker);
    form.show(fd::Window::frmFragDocker);
    fd::Form_Load(ctx);
    return QApplication::exec();
}
