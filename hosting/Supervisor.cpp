#include "Supervisor.h"

#include "ServerQuery.h"
#include "core/FileDescriptor.h"

#include <algorithm>
#include <cstdio>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fd::hosting {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Before the server first answers it is asked often, so that readiness follows its first
// answer closely; a server that has not answered within a minute is asked once a second.
constexpr milliseconds startingPeriod{100};
constexpr milliseconds slowStartingPeriod{1000};
constexpr auto quickStart = std::chrono::minutes(1);
// Without a watchdog the status is brought up to date this often.
constexpr milliseconds watchingPeriod{10000};
constexpr milliseconds longestReplyWait{1000};

// A descriptor that turns readable when the process ends; -1 where the kernel has none.
int exitDescriptor(pid_t process) {
    return int(::syscall(SYS_pidfd_open, process, 0));
}

bool ended(pid_t process, int& waitStatus) {
    const pid_t waited = ::waitpid(process, &waitStatus, WNOHANG);
    return waited == process || (waited == -1 && errno == ECHILD);
}

// The time from now to `wake`, at most an hour, as ppoll takes it.
timespec timeUntil(Clock::time_point wake, Clock::time_point now) {
    const auto left = std::chrono::ceil<std::chrono::nanoseconds>(
        std::min<Clock::duration>(wake - now, std::chrono::hours(1)));
    return {time_t(left.count() / 1000000000), long(left.count() % 1000000000)};
}

std::string portOf(const sockaddr_in& server) {
    return std::to_string(ntohs(server.sin_port));
}

} // namespace

Supervisor::Supervisor(const sockaddr_in& server, const SystemdNotifier& notifier)
    : server_(server), notifier_(notifier) {}

milliseconds Supervisor::queryPeriod(Clock::duration sinceStart) const {
    if (!ready_)
        return sinceStart < quickStart ? startingPeriod : slowStartingPeriod;
    const auto watchdog = std::chrono::duration_cast<milliseconds>(notifier_.watchdogInterval());
    const milliseconds period = watchdog.count() > 0 ? watchdog / 2 : watchingPeriod;
    return agones_.active() ? std::min<milliseconds>(period, AgonesSdk::healthPeriod / 2) : period;
}

void Supervisor::report(const std::string& status, std::string_view more) {
    if (status == status_ && more.empty())
        return;
    std::string message(more);
    if (status != status_)
        message += "STATUS=" + notifyValue(status);
    status_ = status;
    notifier_.notify(message);
}

void Supervisor::answered(const ServerReply& reply) {
    const std::string status = "Map " + reply.value("mapname") + ", " + reply.value("clients") +
                               " of " + reply.value("sv_maxclients") + " players, port " +
                               portOf(server_);
    if (!answering_)
        std::fprintf(stderr, "fragdocker: the server answers on port %s\n",
                     portOf(server_).c_str());
    std::string more = ready_ ? "" : "READY=1\n";
    if (notifier_.watchdogInterval().count() > 0)
        more += "WATCHDOG=1\n";
    ready_ = answering_ = true;
    agones_.answered();
    report(status, more);
}

void Supervisor::unanswered() {
    if (answering_)
        std::fprintf(stderr, "fragdocker: the server does not answer on port %s\n",
                     portOf(server_).c_str());
    answering_ = false;
    agones_.unanswered();
    report((ready_ ? "Not answering on port " : "Starting: waiting for an answer on port ") +
           portOf(server_));
}

int Supervisor::watch(pid_t process, const volatile sig_atomic_t& stopping,
                      const sigset_t& stopSignals) {
    sigset_t waiting;
    ::pthread_sigmask(SIG_BLOCK, &stopSignals, &waiting);
    const int gameEnded = exitDescriptor(process);
    QuerySocket socket(server_);
    const Clock::time_point start = Clock::now();
    Clock::time_point nextQuery = start;
    Clock::time_point replyDue = Clock::time_point::max();
    bool stopNoted = false;
    unanswered();
    int waitStatus = 0;
    for (;;) {
        if (stopping && !stopNoted) { // before looking at the game, which may end at once
            report("Stopping", "STOPPING=1\n");
            agones_.unanswered();
            stopNoted = true;
            nextQuery = replyDue = Clock::time_point::max();
        }
        if (ended(process, waitStatus))
            break;
        const Clock::time_point now = Clock::now();
        if (now >= replyDue) {
            unanswered();
            replyDue = Clock::time_point::max();
        }
        if (now >= nextQuery) {
            const milliseconds period = queryPeriod(now - start);
            socket.send(Query::Info);
            nextQuery = now + period;
            replyDue = now + std::min(period, longestReplyWait);
        }
        Clock::time_point wake = std::min(nextQuery, replyDue);
        if (gameEnded == -1)
            wake = std::min(wake, now + milliseconds(200)); // look at the game now and then
        const timespec timeout = timeUntil(wake, now);
        pollfd events[] = {{gameEnded, POLLIN, 0}, {socket.descriptor(), POLLIN, 0}};
        (void)::ppoll(events, 2, &timeout, &waiting); // timed out or interrupted: no events
        if (events[1].revents & POLLIN)
            if (const std::optional<ServerReply> reply = socket.receive(); reply && !stopNoted) {
                answered(*reply);
                replyDue = Clock::time_point::max();
            }
    }
    closeIfOpen(gameEnded);
    ::pthread_sigmask(SIG_SETMASK, &waiting, nullptr);
    agones_.ended();
    return waitStatus;
}

} // namespace fd::hosting
