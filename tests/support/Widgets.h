#pragma once
// Finding a window's widgets by their control names in tests.

#include <QWidget>

namespace fd::test {

// The widget of that name and type under the window; a missing one ends the test run at once.
template <typename W> W* widget(const QWidget& window, const char* name) {
    W* found = window.findChild<W*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no widget %s", name);
    return found;
}

} // namespace fd::test
