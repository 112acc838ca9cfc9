// A stand-in for the Elite Force server executable, for trying FragDocker without the game.
// It reports how it was started and what the server script it was told to execute would set
// up, on standard output and appended to stvoyHM.log in its working folder, and then exits:
// 0 when every script was found, 1 when one was missing.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const dataFolder = "baseEF";
const char* const logName = "stvoyHM.log";

std::string lower(std::string_view s) {
    std::string out(s);
    std::ranges::transform(out, out.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool sameNoCase(std::string_view a, std::string_view b) {
    return lower(a) == lower(b);
}

std::string trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

std::vector<std::string> words(std::string_view s) {
    std::istringstream in{std::string(s)};
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
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

// What a server script sets up, as far as a person starting a server cares.
struct Script {
    std::map<std::string, std::string> variables; // by lower-case name
    std::map<int, std::string> maps;              // the map cycle by step number
    std::vector<std::string> bots;
};

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

// Writes the report of this start to `out`; false when a script to execute was not found.
bool run(std::ostream& out, int argc, char** argv, const fs::path& workingFolder) {
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
        summarise(out, readScript(in), dedicated);
    }
    if (!executed)
        out << "No +exec on the command line: there is no server script to run.\n";
    out << (allFound ? "Server stand-in finished.\n" : "Server stand-in stopped.\n") << '\n';
    return allFound;
}

} // namespace

int main(int argc, char** argv) {
    std::error_code error;
    const fs::path workingFolder = fs::current_path(error);
    std::ostringstream report;
    const bool ok = run(report, argc, argv, workingFolder);

    std::cout << report.str() << std::flush;
    std::ofstream log(workingFolder / logName, std::ios::app | std::ios::binary);
    log << report.str();
    if (!log)
        std::cerr << "Cannot write " << (workingFolder / logName).string() << '\n';
    return ok ? 0 : 1;
}
