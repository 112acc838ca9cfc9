#include "AttachedRun.h"

#include "Supervisor.h"

#include <QFile>

#include <array>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <utility>
#include <vector>

extern char** environ;

namespace fd::hosting {

namespace {

volatile sig_atomic_t game = 0;     // the started game's process number, while it runs
volatile sig_atomic_t stopping = 0; // a stop was passed on to it

extern "C" void passOn(int signal) {
    if (game != 0) {
        ::kill(game, signal);
        stopping = 1;
    }
}

// Passes the forwarded signals on to the game while it exists; blocked meanwhile, a signal
// that comes before the game's process number is known waits for it.
class SignalForwarding {
public:
    SignalForwarding() {
        sigemptyset(&forwarded_);
        for (const auto& [signal, previous] : previous_)
            sigaddset(&forwarded_, signal);
        ::sigprocmask(SIG_BLOCK, &forwarded_, &before_);
        struct sigaction action {};
        action.sa_handler = passOn;
        sigemptyset(&action.sa_mask);
        for (auto& [signal, previous] : previous_)
            ::sigaction(signal, &action, &previous);
    }
    ~SignalForwarding() {
        for (const auto& [signal, previous] : previous_)
            ::sigaction(signal, &previous, nullptr);
        ::sigprocmask(SIG_SETMASK, &before_, nullptr);
    }
    SignalForwarding(const SignalForwarding&) = delete;
    SignalForwarding& operator=(const SignalForwarding&) = delete;

    // The mask the game starts with: the one this program had before.
    const sigset_t& maskBefore() const { return before_; }
    const sigset_t& forwarded() const { return forwarded_; }
    void forwardTo(pid_t process) {
        game = process;
        stopping = 0;
        ::sigprocmask(SIG_UNBLOCK, &forwarded_, nullptr);
    }

private:
    sigset_t forwarded_{};
    sigset_t before_{};
    // The forwarded signals, each with the action it had before.
    std::array<std::pair<int, struct sigaction>, 4> previous_{
        {{SIGTERM, {}}, {SIGINT, {}}, {SIGHUP, {}}, {SIGQUIT, {}}}};
};

// The null-terminated list of C strings that exec takes.
std::vector<char*> pointersTo(std::vector<QByteArray>& words) {
    std::vector<char*> pointers;
    for (QByteArray& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

int statusOf(int waitStatus) {
    if (WIFSIGNALED(waitStatus))
        return 128 + WTERMSIG(waitStatus);
    return WEXITSTATUS(waitStatus);
}

// The process started from the command: blocked signals as `forwarding` had them before, the
// forwarded ones at their default; a failure, naming the program, when it could not start.
Outcome<pid_t> spawn(const ProcessCommand& command, const SignalForwarding& forwarding) {
    std::vector<QByteArray> words{QFile::encodeName(command.executable)};
    for (const QString& argument : command.arguments)
        words.push_back(QFile::encodeName(argument));
    std::vector<QByteArray> variables;
    for (const QString& variable : command.environment)
        variables.push_back(variable.toLocal8Bit());
    const std::vector<char*> argv = pointersTo(words);
    const std::vector<char*> envp = pointersTo(variables);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions,
                                         QFile::encodeName(command.workingFolder).constData());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setsigmask(&attributes, &forwarding.maskBefore());
    posix_spawnattr_setsigdefault(&attributes, &forwarding.forwarded());
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t process = 0;
    const int failure = ::posix_spawn(&process, argv.front(), &actions, &attributes, argv.data(),
                                      command.environment.isEmpty() ? environ : envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0)
        return fd::failed(
            QStringLiteral("The game program could not be started: \"%1\" (%2)")
                .arg(command.program, QString::fromLocal8Bit(std::strerror(failure))));
    return process;
}

} // namespace

Outcome<int> runAttached(const ProcessCommand& command, const sockaddr_in& server) {
    SignalForwarding forwarding;
    const Outcome<pid_t> process = spawn(command, forwarding);
    if (!process.ok())
        return process.reason();
    forwarding.forwardTo(*process);
    const SystemdNotifier notifier;
    Supervisor supervisor(server, notifier);
    const int waitStatus = supervisor.watch(*process, stopping, forwarding.forwarded());
    game = 0;
    return stopping ? 0 : statusOf(waitStatus);
}

} // namespace fd::hosting
