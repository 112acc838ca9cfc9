#include "WindowManager.h"

#include "core/FormModel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace fd::ui {

namespace {
constexpr Window allWindows[] = {Window::frmFragDocker, Window::frmGamePath, Window::frmErrorMap,
                                 Window::frmFragdockerRunning};

void centreOnScreen(QWidget* widget) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        widget->move(screen->availableGeometry().center() - widget->rect().center());
}
} // namespace

WindowManager::WindowManager(FormModel& form, Factory factory)
    : form_(form), factory_(std::move(factory)) {
    connect(&form, &FormModel::windowChanged, this, &WindowManager::update);
}

WindowManager::~WindowManager() {
    for (auto& [window, widget] : windows_)
        delete widget.data();
}

QWidget* WindowManager::window(Window window) {
    if (form_.isClosed(window))
        return nullptr;
    QPointer<QWidget>& widget = windows_[window];
    if (!widget)
        widget = factory_(window);
    return widget;
}

void WindowManager::hold() {
    held_ = true;
}

void WindowManager::release() {
    held_ = false;
    for (Window window : allWindows)
        if (form_.isShown(window) || windows_.count(window))
            update(window);
}

void WindowManager::update(Window window) {
    if (held_)
        return;
    if (form_.isClosed(window)) {
        if (QWidget* widget = windows_[window]) {
            widget->hide();
            widget->deleteLater();
        }
        if (allClosed())
            QGuiApplication::quit();
        return;
    }
    QWidget* widget = this->window(window);
    if (form_.isShown(window)) {
        if (!widget->isVisible() && !widget->testAttribute(Qt::WA_WState_ExplicitShowHide))
            centreOnScreen(widget);
        widget->show();
        widget->raise();
        widget->activateWindow();
    } else {
        widget->hide();
    }
}

bool WindowManager::allClosed() const {
    // A window that was never made, or is gone already, is not left.
    for (const auto& [window, widget] : windows_)
        if (widget && !form_.isClosed(window))
            return false;
    return true;
}

} // namespace fd::ui
