// The stand-in server's answers to the engine's getinfo and getstatus queries.

#include "tools/StandIn.h"

#include <arpa/inet.h>
#include <cstdint>
#include <cstdlib>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace fd::standin {

namespace {

std::string scriptValue(const Script& script, const std::string& name, const char* otherwise) {
    const auto it = script.variables.find(name);
    return it == script.variables.end() ? otherwise : it->second;
}

std::string botName(const std::string& addbot) {
    return words(addbot).empty() ? std::string() : words(addbot).front();
}

// The engine reads a query as one line of text: it ends at the first NUL byte or line break,
// so clients that add either (or neither) are all answered, with or without a challenge.
std::vector<std::string> request(std::string_view query) {
    const std::string_view text = query.substr(0, query.find_first_of(std::string_view("\0\n", 2)));
    std::vector<std::string> parts = words(text);
    if (!parts.empty())
        parts[0] = lower(parts[0]);
    return parts;
}

} // namespace

std::string reply(const Script& script, std::string_view query) {
    const std::string_view marker = "\xff\xff\xff\xff";
    if (!query.starts_with(marker))
        return {};
    const std::vector<std::string> asked = request(query.substr(marker.size()));
    if (asked.empty() || (asked[0] != "getinfo" && asked[0] != "getstatus"))
        return {};
    const std::string challenge = asked.size() > 1 ? asked[1] : "";
    const std::string map = script.maps.begin()->second;
    const std::string gameType = scriptValue(script, "g_gametype", "0");
    const std::string maxClients = scriptValue(script, "sv_maxclients", "8");
    std::ostringstream out;
    out << marker;
    if (asked[0] == "getinfo") {
        out << "infoResponse\n\\hostname\\" << scriptValue(script, "sv_hostname", "noname")
            << "\\mapname\\" << map << "\\gametype\\" << gameType << "\\sv_maxclients\\"
            << maxClients << "\\clients\\" << script.bots.size()
            << "\\g_needpass\\0\\protocol\\24\\challenge\\" << challenge;
        return out.str();
    }
    out << "statusResponse\n\\sv_hostname\\" << scriptValue(script, "sv_hostname", "noname")
        << "\\mapname\\" << map << "\\g_gametype\\" << gameType << "\\sv_maxclients\\" << maxClients
        << "\\challenge\\" << challenge << '\n';
    for (const std::string& bot : script.bots)
        out << "0 0 \"" << botName(bot) << "\"\n";
    return out.str();
}

int listenSocket(const Script& script, int& port) {
    const std::string ip = scriptValue(script, "net_ip_command_line", "");
    port = std::atoi(scriptValue(script, "net_port_command_line", "27960").c_str());
    sockaddr_in address{};
    address.sin_family = AF_INET;
    if (ip.empty() || ::inet_pton(AF_INET, ip.c_str(), &address.sin_addr) != 1)
        address.sin_addr.s_addr = htonl(INADDR_ANY);
    const int udp = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    for (int tries = 0; tries < 10; ++tries, ++port) {
        address.sin_port = htons(std::uint16_t(port));
        if (::bind(udp, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            return udp;
    }
    ::close(udp);
    return -1;
}

void answerQueries(const Script& script, int udp, const volatile std::sig_atomic_t& stop) {
    char buffer[1400];
    pollfd readable{udp, POLLIN, 0};
    while (stop == 0) {
        if (::poll(&readable, 1, 1000) <= 0)
            continue;
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t size = ::recvfrom(udp, buffer, sizeof buffer, 0,
                                        reinterpret_cast<sockaddr*>(&from), &fromSize);
        const std::string answer =
            size > 0 ? reply(script, {buffer, std::size_t(size)}) : std::string();
        if (!answer.empty())
            ::sendto(udp, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&from),
                     fromSize);
    }
}

} // namespace fd::standin
