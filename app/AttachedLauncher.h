#pragma once
// Starts the game attached instead of detached, for a host that supervises it: the program
// waits for the game, which writes to the same terminal or journal, passes SIGTERM, SIGINT,
// SIGHUP and SIGQUIT on to it, and keeps its exit status.

#include "core/SystemProcessLauncher.h"

namespace fd {

class AttachedLauncher : public SystemProcessLauncher {
public:
    using SystemProcessLauncher::SystemProcessLauncher;
    // The status the game ended with: its exit code, or 128 plus the signal that ended it, as
    // a shell gives it.
    int exitStatus() const { return exitStatus_; }

protected:
    QString launch(const QString& program, const Command& command) override;

private:
    int exitStatus_ = 0;
};

} // namespace fd
