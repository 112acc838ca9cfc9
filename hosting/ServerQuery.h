#pragma once
// The game server's connectionless queries over UDP, as id Tech 3 engines answer them: a
// request is four 0xFF bytes, "getinfo" or "getstatus" and a challenge the reply echoes; the
// reply is "infoResponse" or "statusResponse", then the server's "\key\value" pairs and, for
// getstatus, one line per player: score, ping and quoted name.

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <netinet/in.h>

namespace fd::hosting {

enum class Query { Info, Status };

// The largest UDP datagram there can be.
inline constexpr std::size_t largestDatagram = 65536;

struct Player {
    int score = 0;
    int ping = 0; // bots report 0
    std::string name;
};

struct ServerReply {
    std::map<std::string, std::string> info;
    std::vector<Player> players; // getstatus only
    std::string value(const std::string& key) const;
};

// The datagram that asks the server.
std::string request(Query query, std::string_view challenge);
// The reply in `datagram` to that query with that challenge; nothing for anything else: the
// header, the "\key\value" pairs and (getstatus) each player's line must be whole and well
// formed, and a challenge in the reply must be the one asked with. (A server that echoes no
// challenge is still heard: the game's early versions do not.)
std::optional<ServerReply> parseReply(std::string_view datagram, Query query,
                                      std::string_view challenge);

// A UDP socket connected to one server, for asking it again and again.
class QuerySocket {
public:
    explicit QuerySocket(const sockaddr_in& server);
    ~QuerySocket();
    QuerySocket(const QuerySocket&) = delete;
    QuerySocket& operator=(const QuerySocket&) = delete;

    int descriptor() const { return socket_; }
    // Sends the query with a fresh challenge.
    void send(Query query);
    // The reply to the last query among the datagrams waiting, reading them all; never blocks.
    std::optional<ServerReply> receive();

private:
    int socket_ = -1;
    Query query_ = Query::Info;
    std::string challenge_;
    std::vector<char> buffer_;
};

// Asks the servers all at once, again every quarter of `within` those that have not answered;
// each one's reply, or nothing when none came in time.
std::vector<std::optional<ServerReply>> askAll(const std::vector<sockaddr_in>& servers, Query query,
                                               std::chrono::milliseconds within);

} // namespace fd::hosting
