#pragma once
// Where a save slot's server listens, from the slot's "Set Netport?" and "Set Net IP?" boxes.
// The engine takes its port and address only from its command line, never from its script,
// so the command line's ENGAGE passes them there.

#include "core/Outcome.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

#include <netinet/in.h>

namespace fd {
class FormModel;
}

namespace fd::hosting {

inline constexpr std::uint16_t defaultPort = 27960; // the engine's own when none is set

struct ServerAddress {
    std::uint16_t port = defaultPort;
    QString ip; // empty: every address of this machine

    // "+set net_port P", then "+set net_ip A" when an address is set.
    QStringList commandLine() const;
    // Where to ask the server: its own address, or this machine's loopback when it listens on
    // every address; nothing when the address names no machine.
    std::optional<sockaddr_in> queryAddress() const;
};

// The address the slot's controls set; a refusal when the port is no port number. `slot` names
// the slot in the message.
Outcome<ServerAddress> serverAddressOf(const FormModel& form, const QString& slot);
// Checks that a server can listen at the address, and gives where to ask it once it does; a
// refusal, naming the port and the slot, when none can: another server holds the port, or the
// address is none of this machine's.
Outcome<sockaddr_in> checkListening(const ServerAddress& address, const QString& slot);

} // namespace fd::hosting
