#pragma once
// A loopback port free at this moment, for a test's own server or the program's.

#include <QtGlobal>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace fd::test {

// A port of the kind (SOCK_DGRAM for a game server, SOCK_STREAM for an HTTP one).
inline quint16 freePort(int kind = SOCK_DGRAM) {
    const int probe = ::socket(AF_INET, kind, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    socklen_t size = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(probe);
    return ntohs(address.sin_port);
}

} // namespace fd::test
