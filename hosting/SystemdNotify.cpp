#include "SystemdNotify.h"

#include "core/FileDescriptor.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace fd::hosting {

namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

template <typename Number> std::optional<Number> number(std::string_view text) {
    Number value{};
    const char* const end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || last != end)
        return std::nullopt;
    return value;
}

std::chrono::microseconds watchdogForThisProcess() {
    const std::string_view owner = environment("WATCHDOG_PID");
    if (!owner.empty() && number<pid_t>(owner) != ::getpid())
        return {};
    return std::chrono::microseconds(number<long long>(environment("WATCHDOG_USEC")).value_or(0));
}

} // namespace

std::string notifyValue(std::string_view text) {
    std::string value;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            value += c;
            continue;
        }
        constexpr char digits[] = "0123456789abcdef";
        value += {'\\', 'x', digits[byte >> 4], digits[byte & 0xf]};
    }
    return value;
}

SystemdNotifier::SystemdNotifier() : watchdog_(watchdogForThisProcess()) {
    const std::string_view path = environment("NOTIFY_SOCKET");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || (path.front() != '/' && path.front() != '@') ||
        path.size() >= sizeof address.sun_path)
        return;
    std::memcpy(address.sun_path, path.data(), path.size());
    if (path.front() == '@')
        address.sun_path[0] = '\0'; // an abstract name
    socket_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const auto size = socklen_t(offsetof(sockaddr_un, sun_path) + path.size());
    if (socket_ != -1 && ::connect(socket_, reinterpret_cast<sockaddr*>(&address), size) != 0) {
        ::close(socket_);
        socket_ = -1;
    }
}

SystemdNotifier::~SystemdNotifier() {
    closeIfOpen(socket_);
}

void SystemdNotifier::notify(std::string_view state) const {
    if (socket_ != -1) [[maybe_unused]]
        const ssize_t sent =
            ::send(socket_, state.data(), state.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

} // namespace fd::hosting
