// The windows of the control model: shown, hidden or closed for good.

#include "FormModel.h"

namespace fd {

bool FormModel::isShown(Window window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.shown;
}

bool FormModel::isClosed(Window window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.closed;
}

void FormModel::show(Window window) {
    WindowState& w = windows_[window];
    if (w.closed || w.shown)
        return;
    w.shown = true;
    Q_EMIT windowChanged(window);
}

void FormModel::hide(Window window) {
    WindowState& w = windows_[window];
    if (w.closed || !w.shown)
        return;
    w.shown = false;
    Q_EMIT windowChanged(window);
}

void FormModel::close(Window window) {
    WindowState& w = windows_[window];
    if (w.closed)
        return;
    w.closed = true;
    w.shown = false;
    Q_EMIT windowChanged(window);
}

void FormModel::close(std::initializer_list<Window> order) {
    for (Window window : order)
        close(window);
}

} // namespace fd
