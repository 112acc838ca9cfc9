#pragma once
// The window's arguments, checked before Qt's GUI starts: without a display it cannot start,
// and it would abort with advice that does not help, so the command line answers instead.

#include <optional>

namespace fd {

// When the window has nowhere to show itself (no DISPLAY, WAYLAND_DISPLAY or -display, and no
// platform that needs none, such as "-platform offscreen" or QT_QPA_PLATFORM=offscreen): the
// exit code after saying why on standard error, a word that is none of Qt's options or else
// that there is no display. Nothing when the window may start, Qt then naming any word left.
std::optional<int> refuseWindow(int argc, char* argv[]);

} // namespace fd
