#include "ServerAddress.h"

#include "core/FormModel.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

namespace fd::hosting {

namespace {

// The IPv4 address a text names, a number or a host name; the wildcard for empty text.
std::optional<in_addr> resolve(const QString& ip) {
    in_addr address{htonl(INADDR_ANY)};
    const QByteArray text = ip.toLocal8Bit();
    if (ip.isEmpty() || ::inet_pton(AF_INET, text.constData(), &address) == 1)
        return address;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(text.constData(), nullptr, &hints, &found) != 0)
        return std::nullopt;
    address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return address;
}

std::optional<sockaddr_in> socketAddress(const QString& ip, std::uint16_t port) {
    const std::optional<in_addr> host = resolve(ip);
    if (!host)
        return std::nullopt;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr = *host;
    return address;
}

// Where to ask a server listening at the address: there, or at this machine's loopback when it
// listens on every address.
sockaddr_in askedAt(sockaddr_in address) {
    if (address.sin_addr.s_addr == htonl(INADDR_ANY))
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

QStringList ServerAddress::commandLine() const {
    QStringList words{QStringLiteral("+set"), QStringLiteral("net_port"), QString::number(port)};
    if (!ip.isEmpty())
        words << QStringLiteral("+set") << QStringLiteral("net_ip") << ip;
    return words;
}

std::optional<sockaddr_in> ServerAddress::queryAddress() const {
    const std::optional<sockaddr_in> address = socketAddress(ip, port);
    return address ? std::optional(askedAt(*address)) : std::nullopt;
}

Outcome<ServerAddress> serverAddressOf(const FormModel& form, const QString& slot) {
    ServerAddress address;
    if (form.value(ctl::chkSetNetIP) == 1)
        address.ip = form.text(ctl::txtSetNetIPNumber).trimmed();
    if (form.value(ctl::chkSetNetport) != 1)
        return address;
    const QString text = form.text(ctl::txtSetNetportNumber);
    bool isNumber = false;
    const uint port = text.trimmed().toUInt(&isNumber);
    if (!isNumber || port == 0 || port > 65535)
        return refused(QStringLiteral("The port \"%1\" of %2 is not a port number (1 to 65535).")
                           .arg(text, slot));
    address.port = std::uint16_t(port);
    return address;
}

Outcome<sockaddr_in> checkListening(const ServerAddress& address, const QString& slot) {
    const std::optional<sockaddr_in> where = socketAddress(address.ip, address.port);
    if (!where)
        return refused(
            QStringLiteral("The address \"%1\" of %2 names no machine.").arg(address.ip, slot));
    const int probe = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const bool bound =
        ::bind(probe, reinterpret_cast<const sockaddr*>(&*where), sizeof *where) == 0;
    const int error = errno;
    ::close(probe);
    if (bound)
        return askedAt(*where);
    if (error == EADDRINUSE)
        return refused(QStringLiteral("Port %1 of %2 is in use: another server listens there. "
                                      "Stop it, or give the slot a port of its own.")
                           .arg(address.port)
                           .arg(slot));
    return refused(QStringLiteral("%1 cannot listen on port %2 of \"%3\": %4")
                       .arg(slot)
                       .arg(address.port)
                       .arg(address.ip.isEmpty() ? QStringLiteral("every address") : address.ip,
                            QString::fromLocal8Bit(std::strerror(error))));
}

} // namespace fd::hosting
