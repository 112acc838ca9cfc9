#include "CommandLineOptions.h"

#include "settings/SettingsRecord.h"
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

// The first option given more than once; empty text when there is none.
QString repeatedOption(const QCommandLineParser& parser) {
    const QStringList given = parser.optionNames();
    for (const QString& name : given)
        if (given.count(name) > 1)
            return name;
    return {};
}

// What is wrong with the combination of options given; empty text when nothing is.
QString combinationProblem(const QCommandLineParser& parser, const Options& options) {
    const int actions = int(parser.isSet(options.engage)) + int(parser.isSet(options.script)) +
                        int(parser.isSet(options.list)) + int(parser.isSet(options.status));
    const QStringList positional = parser.positionalArguments();
    const bool status = parser.isSet(options.status);
    if (const QString repeated = repeatedOption(parser); !repeated.isEmpty())
        return QStringLiteral("--%1 is given more than once.").arg(repeated);
    if (positional.size() > int(status))
        return QStringLiteral("unexpected argument \"%1\".").arg(positional.back());
    if (actions != 1)
        return QStringLiteral("give one of --engage, --script, --list and --status.");
    if (parser.isSet(options.wait) && !parser.isSet(options.engage))
        return QStringLiteral("--wait goes with --engage only.");
    if (parser.isSet(options.gameFolder) && (parser.isSet(options.list) || status))
        return QStringLiteral("--game-folder goes with --engage or --script only.");
    if (parser.isSet(options.gameFolder) && parser.value(options.gameFolder).isEmpty())
        return QStringLiteral("--game-folder needs a folder.");
    return {};
}

} // namespace

Options::Options()
    : engage(QStringLiteral("engage"),
             QStringLiteral("Load the saved set-up SLOT as Load does, then do what ENGAGE does: "
                            "write the script, as baseEF/FragDocker-slotN.cfg for slot N, and "
                            "start the game on the slot's port (27960 unless set)."),
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
        "slot's number, 1 to 7, or its name, \"Save Game #1\" to \"Save Game #7\". Without "
        "any of these options the window opens, also with Qt's own options such as "
        "-platform, -display, -geometry or -reverse.\n\nExit status: 0 done; 1 something "
        "failed; 2 a usage error; 3 (--status) no server answers; 78 ENGAGE refused or a "
        "set-up to fix first (an empty map rotation, a port in use, no game program, no Wine), "
        "which a service manager should not restart; with --wait, otherwise the game's."));
    parser.addOptions({options.engage, options.script, options.list, options.status,
                       options.gameFolder, options.wait});
    parser.addPositionalArgument(QStringLiteral("SLOT"),
                                 QStringLiteral("With --status: the slot to ask."),
                                 QStringLiteral("[SLOT]"));
}

Outcome<Request> requestFrom(const QCommandLineParser& parser, const Options& options) {
    if (const QString problem = combinationProblem(parser, options); !problem.isEmpty())
        return misused(problem);
    const QStringList positional = parser.positionalArguments();
    const bool status = parser.isSet(options.status);
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
    if (request.slot.isEmpty())
        return misused(QStringLiteral("\"%1\" is not a save slot: give its number, 1 to %2, or its "
                                      "name, \"%3\" to \"%4\".")
                           .arg(slot)
                           .arg(slotNames.size())
                           .arg(QString::fromLatin1(slotNames.front()),
                                QString::fromLatin1(slotNames.back())));
    if (parser.isSet(options.gameFolder))
        request.gameFolder =
            QDir::cleanPath(QFileInfo(parser.value(options.gameFolder)).absoluteFilePath());
    request.wait = parser.isSet(options.wait);
    return request;
}

} // namespace fd
