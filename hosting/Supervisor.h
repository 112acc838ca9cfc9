#pragma once
// Watches a started game server for a supervisor such as systemd: ready once the server has
// answered a getinfo query, a watchdog keep-alive each time it answers again, a status line a
// person can read, and word of a stop passed on to it; the same to Agones' SDK when asked for.

#include "AgonesSdk.h"
#include "SystemdNotify.h"

#include <csignal>
#include <cstdint>
#include <string>

#include <netinet/in.h>

namespace fd::hosting {

struct ServerReply;

class Supervisor {
public:
    // The server asked at `server`, known to the reader by its port.
    Supervisor(const sockaddr_in& server, const SystemdNotifier& notifier);

    // Watches the game `process`, a child of this one, until it has ended; returns its wait
    // status. `stopping` turns true once a stop was passed on to the game; `stopSignals`,
    // which set it, are let through only while this waits, so none goes unnoticed.
    int watch(pid_t process, const volatile sig_atomic_t& stopping, const sigset_t& stopSignals);

private:
    // How long until the next query: often until the first answer, then every half of the
    // watchdog interval.
    std::chrono::milliseconds queryPeriod(std::chrono::steady_clock::duration sinceStart) const;
    void answered(const ServerReply& reply);
    void unanswered();
    void report(const std::string& status, std::string_view more = {});

    sockaddr_in server_;
    const SystemdNotifier& notifier_;
    AgonesSdk agones_; // told the same as systemd, when the environment names its sidecar
    bool ready_ = false;
    bool answering_ = false;
    std::string status_;
};

} // namespace fd::hosting
