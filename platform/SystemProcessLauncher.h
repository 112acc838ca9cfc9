#pragma once
// Starts the game detached. A Windows program (a file that begins with "MZ") is started
// through Wine, in the Wine prefix given; anything else must be a program this system can run
// itself.

#include "core/Services.h"

namespace fd {

class SystemProcessLauncher : public ProcessLauncher {
public:
    // Windows programs run in the given Wine prefix; with none, in Wine's own choice.
    explicit SystemProcessLauncher(QString winePrefix = {}) : winePrefix_(std::move(winePrefix)) {}
    Outcome<ProcessCommand> prepare(const QString& program, const QStringList& arguments,
                                    const QString& workingFolder) override;
    Outcome<> startDetached(const ProcessCommand& command) override;

private:
    QString winePrefix_;
};

} // namespace fd
