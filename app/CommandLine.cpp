#include "CommandLine.h"

#include "AttachedLauncher.h"
#include "Program.h"
#include "core/NullServices.h"
#include "core/TextFile.h"
#include "hosting/ServerAddress.h"
#include "hosting/SlotStatus.h"
#include "hosting/Supervisor.h"
#include "platform/WinePrefix.h"
#include "settings/Engage.h"
#include "settings/GameTypeRules.h"
#include "settings/SettingsRecord.h"
#include "store/SaveLoad.h"
#include "store/SlotRecord.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace fd {

namespace {

enum class Action { Engage, Script, List, Status };

struct Request {
    Action action = Action::List;
    QString slot;       // empty for --status of every slot
    QString gameFolder; // null: the one the slot holds
    bool wait = false;
};

// Every message the window would show, on standard error instead.
class ErrorStreamMessages : public MessageBox {
public:
    void show(const QString& text) override {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        shown = true;
    }
    bool shown = false;
};

int usageError(const QString& problem) {
    text::print(stderr,
                QStringLiteral("fragdocker: %1\nTry \"fragdocker --help\".\n").arg(problem));
    return exitCode::usage;
}

// A slot by its number (an ASCII digit) or its name; empty text for anything else.
QString slotNamed(const QString& text) {
    const int number = text.size() == 1 && text.front().isDigit() && text.front().unicode() < 0x80
                           ? text.front().digitValue()
                           : -1;
    if (number >= 1 && number <= int(slotNames.size()))
        return QString::fromLatin1(slotNames[std::size_t(number - 1)]);
    return isSlotName(text) ? text : QString();
}

// The script of a slot started from the command line: a file of its own per slot, so that
// two slots started at the same moment from one game folder never run each other's script.
// (A lock held until the server answered would hold up every other slot for as long as a
// server that never answers runs.)
QString slotScriptFile(const QString& slot) {
    return QStringLiteral("FragDocker-slot%1.cfg").arg(slot.back());
}

// The first option given more than once; empty text when there is none.
QString repeatedOption(const QCommandLineParser& parser) {
    const QStringList given = parser.optionNames();
    for (const QString& name : given)
        if (given.count(name) > 1)
            return name;
    return {};
}

struct Options {
    QCommandLineOption engage{QStringLiteral("engage"),
                              QStringLiteral("Load the saved set-up SLOT as Load does, then do "
                                             "what ENGAGE does: write the script, as "
                                             "baseEF/FragDocker-slotN.cfg for slot N, and start "
                                             "the game on the slot's port (27960 unless set)."),
                              QStringLiteral("SLOT")};
    QCommandLineOption script{QStringLiteral("script"),
                              QStringLiteral("Print the script that --engage would write for SLOT; "
                                             "start nothing, write nothing."),
                              QStringLiteral("SLOT")};
    QCommandLineOption list{QStringLiteral("list"),
                            QStringLiteral("List the seven save slots: name, description, "
                                           "server name.")};
    QCommandLineOption status{
        QStringLiteral("status"),
        QStringLiteral("Ask the server of the SLOT given after it whether it answers, and print "
                       "its name, map, game type, port and players; exit 0 when it answered, 3 "
                       "when not. Without SLOT: one line per slot with its port and whether a "
                       "server answers there.")};
    QCommandLineOption gameFolder{QStringLiteral("game-folder"),
                                  QStringLiteral("With --engage or --script: use DIR as the game "
                                                 "folder instead of the one the slot holds."),
                                  QStringLiteral("DIR")};
    QCommandLineOption wait{
        QStringLiteral("wait"),
        QStringLiteral("With --engage: stay with the game, pass SIGTERM, "
                       "SIGINT, SIGHUP and SIGQUIT on to it and exit with its exit status, or 0 "
                       "when it ended after such a stop. Under systemd, "
                       "report ready once the server answers, and keep its "
                       "watchdog content while it does.")};
};

// The parser of this program's own options. A word after a single dash is one option, as
// Qt's own options are written ("-platform", "-reverse"), never a run of one-letter options.
struct OwnOptions {
    OwnOptions() {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(QStringLiteral(
            "Starts a saved set-up's Elite Force server without the window. SLOT is a save "
            "slot's number, 1 to 7, or its name, \"Save Game #1\" to \"Save Game #7\". Without "
            "any of these options the window opens, also with Qt's own options such as "
            "-platform, -display, -geometry or -reverse.\n\nExit status: 0 done; 1 something "
            "failed; 2 a usage error; 3 (--status) no server answers; 78 ENGAGE refused or a "
            "set-up to fix first (a port in use, no game program, no Wine), which a service "
            "manager should not restart; with --wait, otherwise the game's."));
        parser.addOptions({options.engage, options.script, options.list, options.status,
                           options.gameFolder, options.wait});
        parser.addPositionalArgument(QStringLiteral("SLOT"),
                                     QStringLiteral("With --status: the slot to ask."),
                                     QStringLiteral("[SLOT]"));
    }
    QCommandLineParser parser;
    const Options options;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
};

// The request the parsed options make, or the usage problem with them.
std::optional<Request> requestFrom(const QCommandLineParser& parser, const Options& options,
                                   QString& problem) {
    const int actions = int(parser.isSet(options.engage)) + int(parser.isSet(options.script)) +
                        int(parser.isSet(options.list)) + int(parser.isSet(options.status));
    const QStringList positional = parser.positionalArguments();
    const bool status = parser.isSet(options.status);
    if (const QString repeated = repeatedOption(parser); !repeated.isEmpty())
        problem = QStringLiteral("--%1 is given more than once.").arg(repeated);
    else if (positional.size() > int(status))
        problem = QStringLiteral("unexpected argument \"%1\".").arg(positional.back());
    else if (actions != 1)
        problem = QStringLiteral("give one of --engage, --script, --list and --status.");
    else if (parser.isSet(options.wait) && !parser.isSet(options.engage))
        problem = QStringLiteral("--wait goes with --engage only.");
    else if (parser.isSet(options.gameFolder) && (parser.isSet(options.list) || status))
        problem = QStringLiteral("--game-folder goes with --engage or --script only.");
    else if (parser.isSet(options.gameFolder) && parser.value(options.gameFolder).isEmpty())
        problem = QStringLiteral("--game-folder needs a folder.");
    if (!problem.isEmpty())
        return std::nullopt;

    Request request;
    if (parser.isSet(options.list) || (status && positional.isEmpty())) {
        request.action = status ? Action::Status : Action::List;
        return request;
    }
    request.action = status                         ? Action::Status
                     : parser.isSet(options.engage) ? Action::Engage
                                                    : Action::Script;
    const QString slot =
        status ? positional.front()
               : parser.value(request.action == Action::Engage ? options.engage : options.script);
    request.slot = slotNamed(slot);
    if (request.slot.isEmpty()) {
        problem =
            QStringLiteral("\"%1\" is not a save slot: give its number, 1 to %2, or its "
                           "name, \"%3\" to \"%4\".")
                .arg(slot)
                .arg(slotNames.size())
                .arg(QString::fromLatin1(slotNames.front()), QString::fromLatin1(slotNames.back()));
        return std::nullopt;
    }
    if (parser.isSet(options.gameFolder))
        request.gameFolder =
            QDir::cleanPath(QFileInfo(parser.value(options.gameFolder)).absoluteFilePath());
    request.wait = parser.isSet(options.wait);
    return request;
}

// The program's logic with no window, no sound and messages on standard error, started as far
// as Load and ENGAGE need: the store open for reading and the start-up game type set.
class Headless {
public:
    Headless(const AppFolders& appFolders, bool wait)
        : detached_(winePrefixInUse()), attached_(winePrefixInUse()),
          program_({none_, messages_, wait ? attached_ : detached_, none_}, appFolders) {
        if (!makeFirstStore(ctx(), program_.store))
            return;
        const QString failure = program_.store.openForReading(appFolders.writable);
        if (!failure.isEmpty())
            ctx().alert(failure);
        SetStartupGameType(program_.form);
    }

    Context& ctx() { return program_.ctx; }
    SettingsStore& store() { return program_.store; }
    bool failed() const { return messages_.shown; }

    // Load, as the Load button does it; false after a message.
    bool load(const Request& request) {
        ctx().form.setText(ctl::cmboSaveGame, request.slot);
        ctx().form.click(ctl::cmdLoad);
        if (!request.gameFolder.isNull())
            ctx().form.setText(ctl::frmGamePath::txtGamePath, request.gameFolder);
        return !failed();
    }

    // ENGAGE as the window's, but with the slot's port and address on the game's command line
    // and a script of the slot's own, so that slots run side by side from one game folder.
    int engage(const Request& request) {
        QString problem;
        const std::optional<hosting::ServerAddress> address =
            hosting::serverAddressOf(ctx().form, request.slot, problem);
        if (address)
            problem = hosting::listenProblem(*address, request.slot);
        if (!problem.isEmpty()) {
            ctx().alert(problem);
            return exitCode::refused;
        }
        const hosting::SystemdNotifier notifier;
        std::optional<hosting::Supervisor> supervisor;
        if (request.wait)
            attached_.watchWith(supervisor.emplace(*address->queryAddress(), notifier));
        Engage(ctx(), {slotScriptFile(request.slot), address->commandLine()});
        if (!ctx().form.isClosed(Window::frmFragDocker))
            return exitCode::refused;
        return request.wait ? attached_.exitStatus() : exitCode::done;
    }

private:
    NullServices none_;
    ErrorStreamMessages messages_;
    HeadlessLauncher detached_;
    AttachedLauncher attached_;
    Program program_;
};

int printScript(Headless& headless) {
    const std::optional<QByteArray> script = PreviewScript(headless.ctx());
    if (!script)
        return exitCode::refused;
    std::fwrite(script->constData(), 1, std::size_t(script->size()), stdout);
    return exitCode::done;
}

// Lists the slots that can be read, naming the others on standard error.
int listSlots(Headless& headless) {
    Context& ctx = headless.ctx();
    for (const char* name : slotNames) {
        const QString failure = GetFromDatabase(ctx, headless.store(), QString::fromLatin1(name));
        if (!failure.isEmpty()) {
            ctx.alert(failure);
            continue;
        }
        text::print(stdout,
                    QStringLiteral("%1\t%2\t%3\n")
                        .arg(QString::fromLatin1(name),
                             text::escapeControls(ctx.form.text(ctl::txtSaveGameDescription)),
                             text::escapeControls(ctx.form.text(ctl::txtServerName))));
    }
    return headless.failed() ? exitCode::failed : exitCode::done;
}

int run(const Request& request, const AppFolders& appFolders) {
    Headless headless(appFolders, request.wait);
    if (headless.failed())
        return exitCode::failed;
    if (request.action == Action::List)
        return listSlots(headless);
    if (request.action == Action::Status && request.slot.isEmpty())
        return hosting::reportEverySlot(headless.ctx(), headless.store()) ? exitCode::done
                                                                          : exitCode::failed;
    if (!headless.load(request))
        return exitCode::failed;
    switch (request.action) {
    case Action::Script:
        return printScript(headless);
    case Action::Status:
        return hosting::reportSlotServer(headless.ctx(), request.slot) ? exitCode::done
                                                                       : exitCode::notAnswering;
    default:
        return headless.engage(request);
    }
}

} // namespace

bool wantsCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    OwnOptions own;
    own.parser.parse(arguments); // Qt's own options are unknown here, and left to the window
    // Qt's own options take one dash: a word after two is this program's, or a mistake it names.
    return !own.parser.optionNames().isEmpty() ||
           std::any_of(arguments.cbegin() + 1, arguments.cend(),
                       [](const QString& argument) { return argument.startsWith(u"--"); });
}

int runCommandLine(const QStringList& arguments, const AppFolders& appFolders) {
    OwnOptions own;
    QCommandLineParser& parser = own.parser;
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(own.help) || parser.isSet(own.version)) {
        text::print(stdout, parser.isSet(own.help)
                                ? parser.helpText()
                                : QStringLiteral("FragDocker %1\n").arg(FD_VERSION));
        return exitCode::done;
    }
    QString problem;
    const std::optional<Request> request = requestFrom(parser, own.options, problem);
    return request ? run(*request, appFolders) : usageError(problem);
}

} // namespace fd
