#pragma once
// A Windows server program opens a window (the dedicated server's console). Wine draws it
// through the first graphics driver of its list that loads; with no display none of the
// default ones does, the window cannot be created and such a server gives up. Wine's own
// "null" driver draws nowhere, so a list "x11,null" keeps X11 where there is a display and
// falls back to null where there is none.

#include "platform/SystemProcessLauncher.h"

#include <QString>
#include <QStringList>

namespace fd::hosting {

// With neither DISPLAY nor WAYLAND_DISPLAY set, gives the Wine prefix the driver list
// "x11,null" unless it names a list of its own, by `wine reg add` in that prefix; returns at
// once when there is a display or a list. `environment` is the game's ("NAME=value"; empty:
// this program's), which names the prefix.
void fallBackToNullGraphics(const QString& wine, const QStringList& environment);

// The game's command as the window's launcher prepares it, but on a machine with no display a
// Windows game under Wine can still open its window.
class HeadlessLauncher : public SystemProcessLauncher {
public:
    using SystemProcessLauncher::SystemProcessLauncher;
    Outcome<ProcessCommand> prepare(const QString& program, const QStringList& arguments,
                                    const QString& workingFolder) override;
};

} // namespace fd::hosting
