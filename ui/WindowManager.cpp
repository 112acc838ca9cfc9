#include "WindowManager.h"

#include "core/FormModel.h"

#include <QCoreApplication>
#include <QWidget>

namespace fd::ui {

namespace {
constexpr Window allWindows[] = {Window::frmFragDocker, Window::frmGamePath, Window::frmErrorMap,
                                 Window::frmFragdockerRunning};
}

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

void WindowManager::update(Window window) {
    if (form_.isClosed(window)) {
        if (QWidget* widget = windows_[window]) {
            widget->hide();
            widget->deleteLater();
        }
        if (allClosed())
            QCoreApplication::quit();
        return;
    }
    QWidget* widget = this->window(window);
    if (form_.isShown(window)) {
        widget->show();
        widget->raise();
        widget->activateWindow();
    } else {
        widget->hide();
    }
}

bool WindowManager::allClosed() const {
    for (Window window : allWindows) {
        auto it = windows_.find(window);
        const bool created = it != windows_.end() && it->second;
        if (created && !form_.isClosed(window))
            return false;
    }
    return form_.isClosed(Window::frmFragDocker);
}

} // namespace fd::ui
