#include "CommandLine.h"

#include "AttachedLauncher.h"
#include "Program.h"
#include "core/NullServices.h"
#include "settings/GameTypeRules.h"
#include "settings/SettingsRecord.h"
#include "settings/modEngage.h"
#include "store/SaveLoad.h"
#include "store/SlotRecord.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace fd {

namespace {

enum class Action { Engage, Script, List };

struct Request {
    Action action = Action::List;
    QString slot;
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

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int usageError(const QString& problem) {
    print(stderr, QStringLiteral("fragdocker: %1\nTry \"fragdocker --help\".\n").arg(problem));
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

// The first option given more than once; empty text when there is none.
QString repeatedOption(const QCommandLineParser& parser) {
    const QStringList given = parser.optionNames();
    for (const QString& name : given)
        if (given.count(name) > 1)
            return name;
    return {};
}

// A field's value on one line of the list: backslashes, tabs, line breaks and other control
// characters written as escapes, so that no value can make a line or a field of its own.
QString escaped(const QString& value) {
    QString line;
    for (const QChar c : value) {
        if (c == u'\\')
            line += QStringLiteral("\\\\");
        else if (c == u'\t')
            line += QStringLiteral("\\t");
        else if (c == u'\n')
            line += QStringLiteral("\\n");
        else if (c == u'\r')
            line += QStringLiteral("\\r");
        else if (c.category() == QChar::Other_Control)
            line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
}

struct Options {
    QCommandLineOption engage{QStringLiteral("engage"),
                              QStringLiteral("Load the saved set-up SLOT as Load does, then do "
                                             "what ENGAGE does: write the script, start the game."),
                              QStringLiteral("SLOT")};
    QCommandLineOption script{QStringLiteral("script"),
                              QStringLiteral("Print the script that --engage would write for SLOT; "
                                             "start nothing, write nothing."),
                              QStringLiteral("SLOT")};
    QCommandLineOption list{QStringLiteral("list"),
                            QStringLiteral("List the seven save slots: name, description, "
                                           "server name.")};
    QCommandLineOption gameFolder{QStringLiteral("game-folder"),
                                  QStringLiteral("With --engage or --script: use DIR as the game "
                                                 "folder instead of the one the slot holds."),
                                  QStringLiteral("DIR")};
    QCommandLineOption wait{QStringLiteral("wait"),
                            QStringLiteral("With --engage: stay with the game, pass SIGTERM, "
                                           "SIGINT, SIGHUP and SIGQUIT on to it and exit with "
                                           "its exit status.")};
};

// The request the parsed options make, or the usage problem with them.
std::optional<Request> requestFrom(const QCommandLineParser& parser, const Options& options,
                                   QString& problem) {
    const int actions = int(parser.isSet(options.engage)) + int(parser.isSet(options.script)) +
                        int(parser.isSet(options.list));
    if (const QString repeated = repeatedOption(parser); !repeated.isEmpty())
        problem = QStringLiteral("--%1 is given more than once.").arg(repeated);
    else if (!parser.positionalArguments().isEmpty())
        problem =
            QStringLiteral("unexpected argument \"%1\".").arg(parser.positionalArguments().front());
    else if (actions != 1)
        problem = QStringLiteral("give one of --engage, --script and --list.");
    else if (parser.isSet(options.wait) && !parser.isSet(options.engage))
        problem = QStringLiteral("--wait goes with --engage only.");
    else if (parser.isSet(options.gameFolder) && parser.isSet(options.list))
        problem = QStringLiteral("--game-folder goes with --engage or --script only.");
    else if (parser.isSet(options.gameFolder) && parser.value(options.gameFolder).isEmpty())
        problem = QStringLiteral("--game-folder needs a folder.");
    if (!problem.isEmpty())
        return std::nullopt;

    Request request;
    if (parser.isSet(options.list))
        return request;
    request.action = parser.isSet(options.engage) ? Action::Engage : Action::Script;
    const QString slot =
        parser.value(request.action == Action::Engage ? options.engage : options.script);
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
    Headless(const QString& appFolder, bool wait)
        : detached_(winePrefixInUse()), attached_(winePrefixInUse()),
          program_({none_, messages_, wait ? attached_ : detached_, none_}, appFolder) {
        const QString failure = program_.store.openForReading(appFolder);
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

    int engage(const Request& request) {
        ctx().form.click(ctl::cmdEngage);
        if (!ctx().form.isClosed(Window::frmFragDocker))
            return exitCode::failed;
        return request.wait ? attached_.exitStatus() : exitCode::done;
    }

private:
    NullServices none_;
    ErrorStreamMessages messages_;
    SystemProcessLauncher detached_;
    AttachedLauncher attached_;
    Program program_;
};

int printScript(Headless& headless) {
    const std::optional<QByteArray> script = PreviewScript(headless.ctx());
    if (!script)
        return exitCode::failed;
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
        print(stdout, QStringLiteral("%1\t%2\t%3\n")
                          .arg(QString::fromLatin1(name),
                               escaped(ctx.form.text(ctl::txtSaveGameDescription)),
                               escaped(ctx.form.text(ctl::txtServerName))));
    }
    return headless.failed() ? exitCode::failed : exitCode::done;
}

int run(const Request& request, const QString& appFolder) {
    Headless headless(appFolder, request.wait);
    if (headless.failed())
        return exitCode::failed;
    if (request.action == Action::List)
        return listSlots(headless);
    if (!headless.load(request))
        return exitCode::failed;
    return request.action == Action::Script ? printScript(headless) : headless.engage(request);
}

} // namespace

bool wantsCommandLine(int argc) {
    return argc > 1;
}

int runCommandLine(const QStringList& arguments, const QString& appFolder) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Starts a saved set-up's Elite Force server without the window. SLOT is "
                       "a save slot's number, 1 to 7, or its name, \"Save Game #1\" to \"Save "
                       "Game #7\". With no option at all, the window opens."));
    const Options options;
    parser.addOptions(
        {options.engage, options.script, options.list, options.gameFolder, options.wait});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help) || parser.isSet(version)) {
        print(stdout, parser.isSet(help) ? parser.helpText()
                                         : QStringLiteral("FragDocker %1\n").arg(FD_VERSION));
        return exitCode::done;
    }
    QString problem;
    const std::optional<Request> request = requestFrom(parser, options, problem);
    return request ? run(*request, appFolder) : usageError(problem);
}

} // namespace fd
