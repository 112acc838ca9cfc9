// What the demo's stand-in server reads from its scripts and how it answers queries with it.
#pragma once

#include <algorithm>
#include <cctype>
#include <csignal>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace fd::standin {

inline std::string lower(std::string_view s) {
    std::string out(s);
    std::ranges::transform(out, out.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

inline bool sameNoCase(std::string_view a, std::string_view b) {
    return lower(a) == lower(b);
}

inline std::vector<std::string> words(std::string_view s) {
    std::istringstream in{std::string(s)};
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// What a server script sets up, as far as a person starting a server cares.
struct Script {
    std::map<std::string, std::string> variables; // by lower-case name
    std::map<int, std::string> maps;              // the map cycle by step number
    std::vector<std::string> bots;
};

// The reply to a query datagram, as the engine words it; empty for anything else.
std::string reply(const Script& script, std::string_view query);

// A UDP socket on the first free port of ten from the one asked for, as the engine takes it;
// -1 when none is free.
int listenSocket(const Script& script, int& port);

// Answers the queries that come in on `udp` until `stop` is set.
void answerQueries(const Script& script, int udp, const volatile std::sig_atomic_t& stop);

} // namespace fd::standin
