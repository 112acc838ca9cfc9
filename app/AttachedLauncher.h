#pragma once
// Starts the game attached instead of detached, for a host that supervises it: the program
// waits for the game, which writes to the same terminal or journal, passes SIGTERM, SIGINT,
// SIGHUP and SIGQUIT on to it, and keeps its exit status.

#include "platform/SystemProcessLauncher.h"

namespace fd::hosting {
class Supervisor;
}

namespace fd {

// Starts the game detached, as the window does, but on a machine with no display a Windows
// game under Wine can still open its window.
class HeadlessLauncher : public SystemProcessLauncher {
public:
    using SystemProcessLauncher::SystemProcessLauncher;

protected:
    QString launch(const QString& program, const Command& command) override;
    static void prepareWine(const QString& program, const Command& command);
};

class AttachedLauncher : public HeadlessLauncher {
public:
    using HeadlessLauncher::HeadlessLauncher;
    // The game is watched by `supervisor` while it runs.
    void watchWith(hosting::Supervisor& supervisor) { supervisor_ = &supervisor; }
    // The status the game ended with: its exit code, or 128 plus the signal that ended it, as
    // a shell gives it; 0 when it ended after a stop passed on to it.
    int exitStatus() const { return exitStatus_; }

protected:
    QString launch(const QString& program, const Command& command) override;

private:
    hosting::Supervisor* supervisor_ = nullptr;
    int exitStatus_ = 0;
};

} // namespace fd
