#pragma once
// What the command line prints of a server's answer, for a person.

#include <QString>

#include <cstdint>

namespace fd::hosting {

struct ServerReply;

// Name, map, game type, port and players of a getstatus reply, one a line; bots (ping 0)
// marked.
QString describeServer(const ServerReply& reply, std::uint16_t port);
// One tab-separated line of the slot list: the slot, its port and who answers there.
QString slotLine(const QString& slot, std::uint16_t port, const ServerReply* reply);

} // namespace fd::hosting
