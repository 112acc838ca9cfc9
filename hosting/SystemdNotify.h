#pragma once
// systemd's notify protocol, spoken directly as systemd documents it for programs that do
// without libsystemd: one datagram of "NAME=value" lines to the AF_UNIX socket that
// NOTIFY_SOCKET names (a path, or an abstract name after '@').

#include <chrono>
#include <string>
#include <string_view>

namespace fd::hosting {

// A text as the value of one "NAME=value" line: control characters (a line break, which would
// start a line of its own, and NUL, which would end the message) written as "\xHH".
std::string notifyValue(std::string_view text);

class SystemdNotifier {
public:
    // The socket and watchdog interval this process was given; inert when it was given none.
    SystemdNotifier();
    ~SystemdNotifier();
    SystemdNotifier(const SystemdNotifier&) = delete;
    SystemdNotifier& operator=(const SystemdNotifier&) = delete;

    // Sends one message, e.g. "READY=1" or "STATUS=..."; nothing without a socket.
    void notify(std::string_view state) const;
    // WATCHDOG_USEC when it is meant for this process (WATCHDOG_PID unset or this one); zero
    // when there is no watchdog.
    std::chrono::microseconds watchdogInterval() const { return watchdog_; }

private:
    int socket_ = -1;
    std::chrono::microseconds watchdog_{0};
};

} // namespace fd::hosting
