// A stand-in for the Elite Force server executable, for trying FragDocker without the game.
// It reports how it was started and what the server script it was told to execute would set
// up, on standard output and appended to stvoyHM.log in its working folder. Then, as the
// engine does once its first map is loaded, it answers the getinfo and getstatus queries on
// its UDP port (net_port from its command line, else 27960, or the next of ten that is free)
// with the script's server name, its first map and its bots, until SIGTERM or SIGINT ends it
// with status 1, as they end the engine. A script missing ends it at once with status 1; a
// script with no map keeps it running without answering, as the engine runs without a map.

#include "tools/StandIn.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using namespace fd::standin;

const char* const dataFolder = "baseEF";
const char* const logName = "stvoyHM.log";

std::string trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

// The game reads its command line as console commands, each one beginning with a '+'.
using Command = std::vector<std::string>;

std::vector<Command> consoleCommands(int argc, char** argv) {
    std::vector<Command> commands;
    for (int i = 1; i < argc; ++i)
        for (std::string& word : words(argv[i])) {
            if (word.starts_with('+'))
                commands.push_back({lower(word.substr(1))});
            else if (!commands.empty())
                commands.back().push_back(word);
        }
    return commands;
}

// The game's file names ignore letter case: each part of `relative` is looked up in its
// folder by its exact name first, then by comparing the folder's entries without case.
std::optional<fs::path> findNoCase(const fs::path& folder, const fs::path& relative) {
    fs::path found = folder;
    for (const fs::path& part : relative) {
        std::error_code error;
        if (fs::exists(found / part, error)) {
            found /= part;
            continue;
        }
        fs::path match;
        for (fs::directory_iterator it(found, error), end; !error && it != end; it.increment(error))
            if (sameNoCase(it->path().filename().string(), part.string())) {
                match = it->path();
                break;
            }
        if (match.empty())
            return std::nullopt;
        found = match;
    }
    std::error_code error;
    return fs::is_regular_file(found, error) ? std::optional(found) : std::nullopt;
}

std::string unquoted(std::string_view s) {
    std::string value = trim(s);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

// "set NAME VALUE" or "seta NAME VALUE"; the value may follow the name without a space when
// it is quoted, as in: seta g_gametype"3"
void readAssignment(Script& script, std::string_view line) {
    const auto space = line.find_first_of(" \t");
    const std::string verb = lower(line.substr(0, space));
    if ((verb != "set" && verb != "seta") || space == std::string_view::npos)
        return;
    std::string_view rest = line.substr(space);
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(" \t")));
    const auto nameEnd = std::min(rest.find_first_of(" \t\""), rest.size());
    const std::string name = lower(rest.substr(0, nameEnd));
    if (name.empty())
        return;
    const std::string value = unquoted(rest.substr(nameEnd));
    script.variables[name] = value;

    // A map cycle step: Set dN "map NAME; set nextmap vstr dM"
    int step = 0;
    const char* const digits = name.data() + 1;
    const char* const last = name.data() + name.size();
    if (name.size() > 1 && name[0] == 'd' && std::from_chars(digits, last, step).ptr == last) {
        const std::vector<std::string> parts = words(value.substr(0, value.find(';')));
        if (parts.size() == 2 && sameNoCase(parts[0], "map"))
            script.maps[step] = parts[1];
    }
}

Script readScript(std::istream& in) {
    Script script;
    for (std::string line; std::getline(in, line);) {
        if (line.ends_with('\r'))
            line.pop_back();
        line = trim(line);
        if (sameNoCase(line.substr(0, 7), "addbot "))
            script.bots.push_back(trim(line.substr(7)));
        else
            readAssignment(script, line);
    }
    return script;
}

std::string variable(const Script& script, const std::string& name) {
    const auto it = script.variables.find(name);
    return it == script.variables.end() ? "(not set)" : it->second;
}

std::string gameTypeName(const std::string& number) {
    if (number == "0" || number == "2")
        return "Free For All";
    if (number == "3")
        return "Team Death Match";
    if (number == "4")
        return "Capture The Flag";
    return "unknown";
}

void summarise(std::ostream& out, const Script& script, bool dedicated) {
    const std::string gameType = variable(script, "g_gametype");
    out << "  Server name:  " << variable(script, "sv_hostname") << '\n'
        << "  Game type:    " << gameType << " (" << gameTypeName(gameType) << ")\n"
        << "  Max clients:  " << variable(script, "sv_maxclients") << '\n'
        << "  Dedicated:    " << (dedicated ? "yes" : "no") << '\n';
    out << "  Map cycle:" << (script.maps.empty() ? "    (none)" : "") << '\n';
    int step = 0;
    for (const auto& [number, map] : script.maps)
        out << "    " << ++step << ". " << map << '\n';
    out << "  Bots:" << (script.bots.empty() ? "         (none)" : "") << '\n';
    for (const std::string& bot : script.bots)
        out << "    " << bot << '\n';
}

std::string now() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::ostringstream out;
    out << std::put_time(std::localtime(&t), "%Y-%m-%d %H:%M:%S");
    return out.str();
}

// Writes the report of this start to `out` and keeps what the scripts set in `served`; false
// when a script to execute was not found.
bool run(std::ostream& out, int argc, char** argv, const fs::path& workingFolder, Script& served) {
    out << "Elite Force stand-in server (FragDocker demo)\n"
        << "Started:        " << now() << '\n'
        << "Command line:  ";
    for (int i = 1; i < argc; ++i)
        out << " [" << argv[i] << ']';
    out << '\n' << "Working folder: " << workingFolder.string() << '\n';

    const std::vector<Command> commands = consoleCommands(argc, argv);
    bool dedicated = false;
    for (const Command& c : commands)
        if (c.size() >= 3 && (c[0] == "set" || c[0] == "seta") && sameNoCase(c[1], "dedicated"))
            dedicated = c[2] != "0";

    bool allFound = true;
    bool executed = false;
    for (const Command& c : commands) {
        if (c[0] != "exec")
            continue;
        executed = true;
        if (c.size() < 2) {
            out << "+exec has no script name.\n";
            allFound = false;
            continue;
        }
        fs::path name = c[1];
        if (!name.has_extension())
            name += ".cfg"; // as the game does
        const fs::path relative = fs::path(dataFolder) / name;
        const std::optional<fs::path> path = findNoCase(workingFolder, relative);
        std::ifstream in;
        if (path)
            in.open(*path, std::ios::binary);
        if (!path || !in.is_open()) {
            out << "Script not found: " << relative.string() << " in " << workingFolder.string()
                << '\n';
            allFound = false;
            continue;
        }
        out << "Script:         " << path->string() << '\n';
        const Script script = readScript(in);
        summarise(out, script, dedicated);
        served.maps.insert(script.maps.begin(), script.maps.end());
        served.bots.insert(served.bots.end(), script.bots.begin(), script.bots.end());
        for (const auto& [variableName, value] : script.variables)
            served.variables[variableName] = value;
    }
    if (!executed)
        out << "No +exec on the command line: there is no server script to run.\n";
    for (const Command& c : commands) // the engine takes its address only from here
        if (c.size() >= 3 && c[0] == "set" && (c[1] == "net_port" || c[1] == "net_ip"))
            served.variables[c[1] + "_command_line"] = c[2];
    if (!allFound)
        out << "Server stand-in stopped.\n\n";
    return allFound;
}

// ---- Serving ----------------------------------------------------------------------------------

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void onStop(int signal) {
    stopSignal = signal;
}

void report(const fs::path& workingFolder, const std::string& text);

// Runs as the server: answers queries once its first map is "loaded", until a stop signal.
std::string serve(const Script& script, const fs::path& workingFolder) {
    int port = 0;
    const int udp = listenSocket(script, port);
    if (udp < 0)
        return "No free UDP port to listen on.\n\n";
    report(workingFolder, "Serving on UDP port " + std::to_string(port) + ", process " +
                              std::to_string(::getpid()) + '\n');
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // loading the map
    if (script.maps.empty()) {
        report(workingFolder, "No map to load: no answers to queries.\n");
        while (stopSignal == 0)
            ::pause();
    } else {
        answerQueries(script, udp, stopSignal);
    }
    ::close(udp);
    return "Server stand-in ended by signal " + std::to_string(stopSignal) + ".\n\n";
}

void report(const fs::path& workingFolder, const std::string& text) {
    std::cout << text << std::flush;
    std::ofstream log(workingFolder / logName, std::ios::app | std::ios::binary);
    log << text;
    if (!log)
        std::cerr << "Cannot write " << (workingFolder / logName).string() << '\n';
}

} // namespace

int main(int argc, char** argv) {
    struct sigaction action {};
    action.sa_handler = onStop;
    for (int signal : {SIGTERM, SIGINT})
        ::sigaction(signal, &action, nullptr);
    std::error_code error;
    const fs::path workingFolder = fs::current_path(error);
    std::ostringstream out;
    Script served;
    const bool ok = run(out, argc, argv, workingFolder, served);
    report(workingFolder, out.str());
    if (ok)
        report(workingFolder, serve(served, workingFolder));
    return 1;
}
