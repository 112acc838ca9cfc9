#include "ServerQuery.h"

#include "core/FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace fd::hosting {

namespace {

constexpr std::string_view marker = "\xff\xff\xff\xff";

std::string_view replyHead(Query query) {
    return query == Query::Info ? "infoResponse\n" : "statusResponse\n";
}

// One player line, `score ping "name"`; nothing for a line that is not one.
std::optional<Player> parsePlayer(std::string_view line) {
    Player player;
    const char* const end = line.data() + line.size();
    auto [afterScore, scoreError] = std::from_chars(line.data(), end, player.score);
    if (scoreError != std::errc() || afterScore == end || *afterScore != ' ')
        return std::nullopt;
    auto [afterPing, pingError] = std::from_chars(afterScore + 1, end, player.ping);
    const std::string_view rest(afterPing, std::size_t(end - afterPing));
    if (pingError != std::errc() || !rest.starts_with(" \"") || !rest.ends_with('"'))
        return std::nullopt;
    player.name = rest.substr(2, rest.size() - 3);
    return player;
}

// "\\key\\value" pairs as a server writes them, or nothing for anything else: every key
// named, every key with its value, no control character in a key.
std::optional<std::map<std::string, std::string>> strictInfoString(std::string_view text) {
    std::map<std::string, std::string> pairs;
    if (!text.starts_with('\\'))
        return std::nullopt;
    while (!text.empty()) {
        text.remove_prefix(1); // the backslash before the key
        const std::size_t keyEnd = text.find('\\');
        if (keyEnd == 0 || keyEnd == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = text.substr(0, keyEnd);
        if (std::ranges::any_of(key, [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            return std::nullopt;
        text.remove_prefix(keyEnd + 1);
        const std::size_t valueEnd = std::min(text.find('\\'), text.size());
        pairs[std::string(key)] = std::string(text.substr(0, valueEnd));
        text.remove_prefix(valueEnd);
    }
    return pairs;
}

} // namespace

std::string ServerReply::value(const std::string& key) const {
    const auto found = info.find(key);
    return found == info.end() ? std::string() : found->second;
}

std::string request(Query query, std::string_view challenge) {
    std::string datagram(marker);
    datagram += query == Query::Info ? "getinfo " : "getstatus ";
    datagram += challenge;
    return datagram;
}

std::optional<ServerReply> parseReply(std::string_view datagram, Query query,
                                      std::string_view challenge) {
    const std::string head = std::string(marker) + std::string(replyHead(query));
    if (!datagram.starts_with(head))
        return std::nullopt;
    datagram.remove_prefix(head.size());
    const std::size_t infoEnd = std::min(datagram.find('\n'), datagram.size());
    std::optional<std::map<std::string, std::string>> info =
        strictInfoString(datagram.substr(0, infoEnd));
    if (!info)
        return std::nullopt;
    const auto echo = info->find("challenge");
    if (echo != info->end() && echo->second != challenge)
        return std::nullopt; // the answer to an earlier query, or to someone else's
    ServerReply reply{std::move(*info), {}};
    datagram.remove_prefix(std::min(infoEnd + 1, datagram.size()));
    // getinfo's answer ends with its pairs; getstatus's has a whole line per player.
    if (query == Query::Info)
        return datagram.empty() ? std::optional(std::move(reply)) : std::nullopt;
    while (!datagram.empty()) {
        const std::size_t lineEnd = datagram.find('\n');
        std::optional<Player> player = lineEnd == std::string_view::npos
                                           ? std::nullopt
                                           : parsePlayer(datagram.substr(0, lineEnd));
        if (!player)
            return std::nullopt;
        reply.players.push_back(std::move(*player));
        datagram.remove_prefix(lineEnd + 1);
    }
    return reply;
}

QuerySocket::QuerySocket(const sockaddr_in& server)
    : socket_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {
    if (socket_ != -1)
        ::connect(socket_, reinterpret_cast<const sockaddr*>(&server), sizeof server);
}

QuerySocket::~QuerySocket() {
    closeIfOpen(socket_);
}

void QuerySocket::send(Query query) {
    query_ = query;
    // A challenge no earlier query of this process had: the moment it is asked.
    challenge_ = "fd" + std::to_string(::getpid()) + '-' +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::string datagram = request(query, challenge_);
    // A refusal (nothing listening) comes back on a later receive, as no reply.
    [[maybe_unused]] const ssize_t sent = ::send(socket_, datagram.data(), datagram.size(), 0);
}

std::optional<ServerReply> QuerySocket::receive() {
    std::optional<ServerReply> reply;
    // Room for the largest datagram, so that none is read in part and taken for a whole one.
    buffer_.resize(largestDatagram);
    for (ssize_t size; (size = ::recv(socket_, buffer_.data(), buffer_.size(), 0)) != -1 ||
                       errno == ECONNREFUSED;)
        if (size > 0 && !reply)
            reply = parseReply({buffer_.data(), std::size_t(size)}, query_, challenge_);
    return reply;
}

std::vector<std::optional<ServerReply>> askAll(const std::vector<sockaddr_in>& servers, Query query,
                                               std::chrono::milliseconds within) {
    using Clock = std::chrono::steady_clock;
    std::vector<std::unique_ptr<QuerySocket>> sockets;
    std::vector<pollfd> events;
    for (const sockaddr_in& server : servers) {
        sockets.push_back(std::make_unique<QuerySocket>(server));
        events.push_back({sockets.back()->descriptor(), POLLIN, 0});
    }
    std::vector<std::optional<ServerReply>> replies(servers.size());
    const Clock::time_point end = Clock::now() + within;
    for (Clock::time_point retry = Clock::now(); retry < end;) {
        for (std::size_t i = 0; i < sockets.size(); ++i)
            if (!replies[i])
                sockets[i]->send(query);
        retry = std::min(retry + within / 4, end);
        for (Clock::time_point now = Clock::now(); now < retry; now = Clock::now()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(retry - now);
            if (::poll(events.data(), events.size(), int(left.count())) == -1)
                continue; // interrupted; after a timeout no socket is readable
            for (std::size_t i = 0; i < sockets.size(); ++i)
                if ((events[i].revents & POLLIN) && (replies[i] = sockets[i]->receive()))
                    events[i].fd = -1; // answered
            if (std::ranges::all_of(replies, [](const auto& reply) { return bool(reply); }))
                return replies;
        }
    }
    return replies;
}

} // namespace fd::hosting
