#pragma once
// systemd's end of the notify protocol: a Unix datagram socket the test reads.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace fd::test {

class NotifySocket {
public:
    explicit NotifySocket(const QString& socketPath) : path(socketPath) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = path.toLocal8Bit(); // all of sun_path, with no NUL, may be taken
        const size_t size = qMin(sizeof address.sun_path, size_t(name.size()));
        memcpy(address.sun_path, name.constData(), size);
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(sa_family_t) + size);
    }
    ~NotifySocket() { ::close(socket_); }
    // The messages that come within `ms` milliseconds, or until one holds `awaited`.
    QByteArray read(int ms, const QByteArray& awaited = {}) {
        QByteArray messages;
        QDeadlineTimer deadline(ms);
        pollfd readable{socket_, POLLIN, 0};
        while ((awaited.isEmpty() || !messages.contains(awaited)) &&
               ::poll(&readable, 1, deadline.remainingTime()) > 0) {
            char buffer[4096];
            messages += QByteArray(buffer, ::recv(socket_, buffer, sizeof buffer, 0)) + '\n';
        }
        return messages;
    }
    const QString path;

private:
    int socket_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
};

} // namespace fd::test
