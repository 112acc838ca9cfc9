#include "Desktop.h"

#include "Program.h"
#include "gamepath/frmGamePath.h"
#include "ui/MainWindow.h"
#include "ui/SmallWindow.h"

namespace fd {

Desktop::Desktop(Program& program)
    : program_(program), windows_(program.form, [this](Window window) { return create(window); }) {}

QWidget* Desktop::create(Window window) {
    Context& ctx = program_.ctx;
    switch (window) {
    case Window::frmFragDocker: {
        auto* main = new ui::MainWindow(ctx.form, ctx.appFolder);
        QObject::connect(main, &ui::MainWindow::closeRequested, main, [&ctx] { Form_Unload(ctx); });
        return main;
    }
    case Window::frmGamePath: {
        auto* dialog = new ui::SmallWindow(ctx.form, ui::gamePathDialog());
        QObject::connect(dialog, &ui::SmallWindow::closeRequested, dialog,
                         [&ctx] { frmGamePath::closeByFrame(ctx); });
        return dialog;
    }
    case Window::frmErrorMap:
        return new ui::SmallWindow(ctx.form, ui::errorMapNotice());
    case Window::frmFragdockerRunning:
        return new ui::SmallWindow(ctx.form, ui::runningNotice());
    }
    return nullptr;
}

QWidget* Desktop::window(Window window) {
    return windows_.window(window);
}

bool Desktop::start() {
    // The load step runs before the main window is built and displayed, and may hide it; the
    // window is built on release, from the state the load step leaves.
    windows_.hold();
    program_.form.show(Window::frmFragDocker);
    Form_Load(program_.ctx, program_.store);
    windows_.release();
    return !program_.form.isClosed(Window::frmFragDocker);
}

} // namespace fd
