#pragma once
// Starts the game detached. A Windows program (a file that begins with "MZ") is started
// through Wine, in the Wine prefix given; anything else must be a program this system can run
// itself.

#include "Services.h"

namespace fd {

// The Wine prefix the game is installed in and runs in: the folder WINEPREFIX names when it
// is set, else Wine's default ~/.wine.
QString winePrefixInUse();

class SystemProcessLauncher : public ProcessLauncher {
public:
    // Windows programs run in the given Wine prefix; with none, in Wine's own choice.
    explicit SystemProcessLauncher(QString winePrefix = {}) : winePrefix_(std::move(winePrefix)) {}
    QString start(const QString& program, const QStringList& arguments,
                  const QString& workingFolder) override;

private:
    QString winePrefix_;
};

} // namespace fd
