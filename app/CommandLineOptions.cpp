#include "CommandLineOptions.h"

#include "settings/SettingsRecord.h"
#include "setup/SetupFile.h"
#include "store/SaveLoad.h"

#include <QDir>
#include <QFileInfo>

namespace fd {

namespace {

// A slot by its number (an ASCII digit) or its name; empty text for anything else.
QString slotNamed(const QString& text) {
    const int number = text.size() == 1 && text.front().isDigit() && text.front().unicode() < 0x80
                           ? text.front().digitValue()
                           : -1;
    if (number >= 1 && number <= int(slotNames.size()))
        return QString::fromLatin1(slotNames[std::size_t(number - 1)]);
    return isSlotName(text) ? text : QString();
}

Failure notASlot(const QString& text, bool orFile) {
    // A word with a folder in it can only mean a file.
    if (orFile && text.contains(u'/'))
        return misused(QStringLiteral("there is no set-up file \"%1\".").arg(text));
    return misused(QStringLiteral("\"%1\" is not a save slot: give its number, 1 to %2, or its "
                                  "name, \"%3\" to \"%4\"%5.")
                       .arg(text)
                       .arg(slotNames.size())
                       .arg(QString::fromLatin1(slotNames.front()),
                            QString::fromLatin1(slotNames.back()),
                            orFile ? QStringLiteral(", or a set-up file") : QString()));
}

// The first option given more than once; empty text when there is none.
QString repeatedOption(const QCommandLineParser& parser) {
    const QStringList given = parser.optionNames();
    for (const QString& name : given)
        if (given.count(name) > 1)
            return name;
    return {};
}

// Whether the options given go together; a usage failure that says what is wrong when not.
Outcome<> checkCombination(const QCommandLineParser& parser, const Options& options) {
    int actions = 0;
    for (const QCommandLineOption* action :
         {&options.engage, &options.script, &options.list, &options.status, &options.exportSetup,
          &options.importSetup})
        actions += int(parser.isSet(*action));
    const QStringList positional = parser.positionalArguments();
    const bool status = parser.isSet(options.status);
    const bool importing = parser.isSet(options.importSetup);
    const bool onePositional = status || importing || parser.isSet(options.exportSetup);
    if (const QString repeated = repeatedOption(parser); !repeated.isEmpty())
        return misused(QStringLiteral("--%1 is given more than once.").arg(repeated));
    if (positional.size() > int(onePositional))
        return misused(QStringLiteral("unexpected argument \"%1\".").arg(positional.back()));
    if (actions != 1)
        return misused(QStringLiteral(
            "give one of --engage, --script, --list, --status, --export and --import."));
    if (importing && positional.isEmpty())
        return misused(QStringLiteral("--import needs the slot after the file."));
    if (parser.isSet(options.wait) && !parser.isSet(options.engage))
        return misused(QStringLiteral("--wait goes with --engage only."));
    const bool engageOrScript = parser.isSet(options.engage) || parser.isSet(options.script);
    if (parser.isSet(options.gameFolder) && !engageOrScript)
        return misused(QStringLiteral("--game-folder goes with --engage or --script only."));
    if (parser.isSet(options.gameFolder) && parser.value(options.gameFolder).isEmpty())
        return misused(QStringLiteral("--game-folder needs a folder."));
    return Outcome<>::success();
}

Action actionOf(const QCommandLineParser& parser, const Options& options) {
    if (parser.isSet(options.status))
        return Action::Status;
    if (parser.isSet(options.exportSetup))
        return Action::Export;
    if (parser.isSet(options.importSetup))
        return Action::Import;
    return parser.isSet(options.engage) ? Action::Engage : Action::Script;
}

// The slot or set-up file the request is about, from the option's value or the argument.
Outcome<> takeSubject(const QCommandLineParser& parser, const Options& options, Request& request) {
    const QStringList positional = parser.positionalArguments();
    const QCommandLineOption* named = request.action == Action::Export   ? &options.exportSetup
                                      : request.action == Action::Engage ? &options.engage
                                                                         : &options.script;
    const bool afterIt = request.action == Action::Status || request.action == Action::Import;
    const QString slotText = afterIt ? positional.front() : parser.value(*named);
    request.slot = slotNamed(slotText);
    const bool slotOnly = request.action == Action::Export || request.action == Action::Import;
    if (request.slot.isEmpty() && (slotOnly || !QFileInfo(slotText).isFile()))
        return notASlot(slotText, !slotOnly);
    if (request.slot.isEmpty())
        request.setupFile = slotText;
    if (request.action == Action::Import)
        request.setupFile = parser.value(options.importSetup);
    if (request.action == Action::Import && !QFileInfo(request.setupFile).isFile())
        return misused(QStringLiteral("there is no set-up file \"%1\".").arg(request.setupFile));
    if (request.action == Action::Export && positional.value(0) != u"-")
        request.exportFile = positional.value(0);
    if (request.action == Action::Engage && !request.setupFile.isEmpty())
        if (const Outcome<QString> script = setup::scriptFileFor(request.setupFile); !script.ok())
            return script.reason();
    return Outcome<>::success();
}

} // namespace

Options::Options()
    : engage(QStringLiteral("engage"),
             QStringLiteral("Load the saved set-up SLOT as Load does, then do what ENGAGE does: "
                            "write the script, as baseEF/FragDocker-slotN.cfg for slot N (for a "
                            "set-up file NAME.toml, FragDocker-NAME.cfg), and start the game on "
                            "the slot's port (27960 unless set)."),
             QStringLiteral("SLOT")),
      script(QStringLiteral("script"),
             QStringLiteral("Print the script that --engage would write for SLOT; start "
                            "nothing, write nothing."),
             QStringLiteral("SLOT")),
      list(QStringLiteral("list"),
           QStringLiteral("List the seven save slots: name, description, server name.")),
      status(QStringLiteral("status"),
             QStringLiteral("Ask the server of the SLOT given after it whether it answers, and "
                            "print its name, map, game type, port and players; exit 0 when it "
                            "answered, 3 when not. Without SLOT: one line per slot with its port "
                            "and what answers there: its own server, or another slot's that "
                            "shares its port.")),
      exportSetup(QStringLiteral("export"),
                  QStringLiteral("Write the saved set-up SLOT as a set-up file to the FILE given "
                                 "after it, or to standard output without one or with \"-\". "
                                 "The store is not changed."),
                  QStringLiteral("SLOT")),
      importSetup(QStringLiteral("import"),
                  QStringLiteral("Store the set-up file FILE into the save slot given after it, "
                                 "as Save does: its settings (those it leaves out take a new "
                                 "slot's initial values) and both lists, all or nothing. Refused "
                                 "while the window holds the store."),
                  QStringLiteral("FILE")),
      gameFolder(QStringLiteral("game-folder"),
                 QStringLiteral("With --engage or --script: use DIR as the game folder instead "
                                "of the one the slot holds."),
                 QStringLiteral("DIR")),
      wait(QStringLiteral("wait"),
           QStringLiteral("With --engage: stay with the game, pass SIGTERM, SIGINT, SIGHUP and "
                          "SIGQUIT on to it and exit with its exit status, or 0 when it ended "
                          "after such a stop. Under systemd, report ready once the server "
                          "answers, and keep its watchdog content while it does; the same "
                          "to Agones' SDK when AGONES_SDK_HTTP_PORT is set.")) {}

OwnOptions::OwnOptions() : help(parser.addHelpOption()), version(parser.addVersionOption()) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Starts a saved set-up's Elite Force server without the window. SLOT is a save "
        "slot's number, 1 to 7, or its name, \"Save Game #1\" to \"Save Game #7\"; "
        "--engage, --script and --status also take a set-up file (TOML, see --export) in its "
        "place. Without "
        "any of these options the window opens, also with Qt's own options such as "
        "-platform, -display, -geometry or -reverse.\n\nExit status: 0 done; 1 something "
        "failed; 2 a usage error; 3 (--status) no server answers; 78 ENGAGE refused or a "
        "set-up to fix first (an empty map rotation, a port in use, no game program, no Wine, "
        "a set-up file to correct), which a service manager should not restart; with --wait, "
        "otherwise the game's."));
    parser.addOptions({options.engage, options.script, options.list, options.status,
                       options.exportSetup, options.importSetup, options.gameFolder, options.wait});
    parser.addPositionalArgument(QStringLiteral("SLOT|FILE"),
                                 QStringLiteral("With --status: the slot or set-up file to ask. "
                                                "With --export: the file to write. With "
                                                "--import: the slot to store into."),
                                 QStringLiteral("[SLOT|FILE]"));
}

QString Request::subject() const {
    return setupFile.isEmpty() ? slot : QFileInfo(setupFile).fileName();
}

Outcome<Request> requestFrom(const QCommandLineParser& parser, const Options& options) {
    if (const Outcome<> combined = checkCombination(parser, options); !combined.ok())
        return combined.reason();
    const bool status = parser.isSet(options.status);
    Request request;
    if (parser.isSet(options.list) || (status && parser.positionalArguments().isEmpty())) {
        request.action = status ? Action::Status : Action::List;
        return request;
    }
    request.action = actionOf(parser, options);
    if (const Outcome<> subject = takeSubject(parser, options, request); !subject.ok())
        return subject.reason();
    if (parser.isSet(options.gameFolder))
        request.gameFolder =
            QDir::cleanPath(QFileInfo(parser.value(options.gameFolder)).absoluteFilePath());
    request.wait = parser.isSet(options.wait);
    return request;
}

} // namespace fd
