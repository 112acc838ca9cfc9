#include "HeadlessRun.h"

#include "CommandLine.h"
#include "Program.h"
#include "core/NullServices.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"
#include "hosting/AttachedRun.h"
#include "hosting/HeadlessWine.h"
#include "hosting/MapsToPlay.h"
#include "hosting/RunningServers.h"
#include "hosting/ServerAddress.h"
#include "hosting/SlotStatus.h"
#include "platform/WinePrefix.h"
#include "settings/Engage.h"
#include "settings/GameTypeRules.h"
#include "settings/SettingsRecord.h"
#include "setup/SetupControls.h"
#include "store/SaveLoad.h"
#include "store/SlotRecord.h"

#include <cstdio>

namespace fd {

namespace {

// Every message the window would show, on standard error instead, after the slot (or set-up
// file) it concerns unless it names it already: with several hosted, which one to fix.
class ErrorStreamMessages : public MessageBox {
public:
    void show(const QString& text) override {
        const bool named = subject.isEmpty() || text.contains(subject);
        text::print(stderr, named ? text + u'\n' : QStringLiteral("%1: %2\n").arg(subject, text));
    }
    QString subject;
};

// The script of a slot started from the command line: a file of its own per slot, so that
// two slots started at the same moment from one game folder never run each other's script.
// (A lock held until the server answered would hold up every other slot for as long as a
// server that never answers runs.) A set-up file started straight away has a script named
// after the file.
QString slotScriptFile(const Request& request) {
    if (!request.setupFile.isEmpty())
        return *setup::scriptFileFor(request.setupFile); // checked with the command line
    return QStringLiteral("FragDocker-slot%1.cfg").arg(request.slot.back());
}

// The program's logic with no window, no sound and messages on standard error, started as far
// as Load and ENGAGE need: the store open for reading and the start-up game type set.
class Headless {
public:
    explicit Headless(const AppFolders& appFolders)
        : launcher_(winePrefixInUse()), program_({none_, messages_, launcher_, none_}, appFolders) {
    }

    Context& ctx() { return program_.ctx; }
    SettingsStore& store() { return program_.store; }

    // Tells the failure on standard error; the exit code for its kind.
    int told(const Failure& failure) {
        ctx().alert(failure.message);
        return exitCode::of(failure.kind);
    }

    // The store made on a first start and opened for reading; false after a message.
    bool start() {
        if (!makeFirstStore(ctx(), program_.store))
            return false;
        if (const Outcome<> opened = program_.store.openForReading(ctx().appFolder); !opened.ok()) {
            ctx().alert(opened.failure());
            return false;
        }
        SetStartupGameType(program_.form);
        return true;
    }

    // Load, as the Load button does it, or of a set-up file as Load would put it into the
    // controls; with the game folder given in place of the one loaded.
    Outcome<> load(const Request& request) {
        messages_.subject = request.subject();
        if (request.setupFile.isEmpty()) {
            ctx().form.setText(ctl::cmboSaveGame, request.slot);
            if (const Outcome<> loaded = LoadSlot(ctx(), store(), request.slot); !loaded.ok())
                return loaded;
        } else {
            const Outcome<setup::Setup> read = setup::readSetupFile(
                request.setupFile, setup::freshRecord(ctx(), QString::fromLatin1(slotNames[0])));
            if (!read.ok())
                return read.reason();
            setup::putSetup(ctx(), *read);
        }
        if (!request.gameFolder.isNull())
            ctx().form.setText(ctl::frmGamePath::txtGamePath, request.gameFolder);
        return Outcome<>::success();
    }

    // ENGAGE as the window's, but with the slot's port and address on the game's command line
    // and a script of the slot's own, so that slots run side by side from one game folder.
    // With --wait the game runs attached and its status is the exit code.
    int engage(const Request& request) {
        if (const Outcome<> maps = hosting::mapsToPlay(ctx().form); !maps.ok())
            return told(maps.reason());
        const Outcome<hosting::ServerAddress> address =
            hosting::serverAddressOf(ctx().form, request.subject());
        if (!address.ok())
            return told(address.reason());
        const Outcome<sockaddr_in> asked = hosting::checkListening(*address, request.subject());
        if (!asked.ok())
            return told(asked.reason());
        // Which slot serves the port, for --status; kept while the server runs after a return.
        hosting::RunningServerNote note(*asked, request.subject(), store().path());
        const QString script = slotScriptFile(request);
        const EngageTarget target{script, script, address->commandLine()};
        if (!request.wait) {
            const Outcome<> engaged = Engage(ctx(), target);
            if (!engaged.ok())
                return told(engaged.reason());
            note.keep();
            return exitCode::done;
        }
        const Outcome<ProcessCommand> command = PrepareEngage(ctx(), target);
        if (!command.ok())
            return told(command.reason());
        const Outcome<int> status = hosting::runAttached(*command, *asked);
        return status.ok() ? *status : told(status.reason());
    }

private:
    NullServices none_;
    ErrorStreamMessages messages_;
    hosting::HeadlessLauncher launcher_;
    Program program_;
};

int printScript(Headless& headless) {
    if (const Outcome<> maps = hosting::mapsToPlay(headless.ctx().form); !maps.ok())
        return headless.told(maps.reason());
    const Outcome<QByteArray> script = PreviewScript(headless.ctx());
    if (!script.ok())
        return headless.told(script.reason());
    std::fwrite(script->constData(), 1, std::size_t(script->size()), stdout);
    return exitCode::done;
}

// Lists the slots that can be read, naming the others on standard error.
int listSlots(Headless& headless) {
    Context& ctx = headless.ctx();
    int exit = exitCode::done;
    for (const char* name : slotNames) {
        const Outcome<> loaded = GetFromDatabase(ctx, headless.store(), QString::fromLatin1(name));
        if (!loaded.ok()) {
            exit = headless.told(loaded.reason());
            continue;
        }
        text::print(stdout,
                    QStringLiteral("%1\t%2\t%3\n")
                        .arg(QString::fromLatin1(name),
                             text::escapeControls(ctx.form.text(ctl::txtSaveGameDescription)),
                             text::escapeControls(ctx.form.text(ctl::txtServerName))));
    }
    return exit;
}

// --status of one slot: 0 when its server answered, 3 when not.
int reportStatus(Headless& headless, const QString& slot) {
    const Outcome<bool> answered = hosting::reportSlotServer(headless.ctx().form, slot);
    if (!answered.ok())
        headless.ctx().alert(answered.failure()); // a slot whose server can listen nowhere
    return answered.ok() && *answered ? exitCode::done : exitCode::notAnswering;
}

// Writes the loaded slot's set-up to the file, replaced whole, or to standard output.
int exportSetup(Headless& headless, const Request& request) {
    const QByteArray bytes = setup::writeSetup(setup::setupFromControls(headless.ctx().form));
    if (request.exportFile.isEmpty()) {
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
        return exitCode::done;
    }
    const Outcome<> written = text::writeBytes(request.exportFile, bytes);
    return written.ok() ? exitCode::done : headless.told(written.reason());
}

// Stores the file's set-up into the slot by the window's own Save: the store opened as the
// window opens it, and refused while a window holds it. The slot's name is the slot's.
int importSetup(Headless& headless, const Request& request) {
    Context& ctx = headless.ctx();
    Outcome<setup::Setup> read =
        setup::readSetupFile(request.setupFile, setup::freshRecord(ctx, request.slot));
    if (!read.ok())
        return headless.told(read.reason());
    if (StoreLock::heldElsewhere(fileIn(ctx.appFolder, storeFile::lock)))
        return headless.told(refused(QStringLiteral("FragDocker is running and holds the "
                                                    "settings store in \"%1\"; close its "
                                                    "window, then import again.")
                                         .arg(ctx.appFolder)));
    headless.store().close();
    if (!openSettingsStore(ctx, headless.store()))
        return exitCode::failed;
    setup::putSetup(ctx, setup::namedAs(*std::move(read), request.slot));
    const Outcome<> saved = SaveSlot(ctx, headless.store(), request.slot);
    return saved.ok() ? exitCode::done : headless.told(saved.reason());
}

} // namespace

int runRequest(const Request& request, const AppFolders& appFolders) {
    Headless headless(appFolders);
    if (!headless.start())
        return exitCode::failed;
    if (request.action == Action::List)
        return listSlots(headless);
    if (request.action == Action::Status && request.subject().isEmpty()) {
        const Outcome<> reported = hosting::reportEverySlot(headless.ctx(), headless.store());
        return reported.ok() ? exitCode::done : headless.told(reported.reason());
    }
    if (request.action == Action::Import)
        return importSetup(headless, request);
    if (const Outcome<> loaded = headless.load(request); !loaded.ok())
        return headless.told(loaded.reason());
    switch (request.action) {
    case Action::Script:
        return printScript(headless);
    case Action::Export:
        return exportSetup(headless, request);
    case Action::Status:
        return reportStatus(headless, request.subject());
    default:
        return headless.engage(request);
    }
}

} // namespace fd
