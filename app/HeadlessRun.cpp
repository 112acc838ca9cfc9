#include "HeadlessRun.h"

#include "AttachedLauncher.h"
#include "CommandLine.h"
#include "Program.h"
#include "core/NullServices.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"
#include "hosting/MapsToPlay.h"
#include "hosting/RunningServers.h"
#include "hosting/ServerAddress.h"
#include "hosting/SlotStatus.h"
#include "hosting/Supervisor.h"
#include "platform/WinePrefix.h"
#include "settings/Engage.h"
#include "settings/GameTypeRules.h"
#include "settings/SettingsRecord.h"
#include "setup/SetupControls.h"
#include "store/SaveLoad.h"
#include "store/SlotRecord.h"

#include <cstdio>
#include <optional>

namespace fd {

namespace {

// Every message the window would show, on standard error instead, after the slot (or set-up
// file) it concerns unless it names it already: with several hosted, which one to fix.
class ErrorStreamMessages : public MessageBox {
public:
    void show(const QString& text) override {
        const bool named = subject.isEmpty() || text.contains(subject);
        text::print(stderr, named ? text + u'\n' : QStringLiteral("%1: %2\n").arg(subject, text));
        shown = true;
    }
    bool shown = false;
    QString subject;
};

// The script of a slot started from the command line: a file of its own per slot, so that
// two slots started at the same moment from one game folder never run each other's script.
// (A lock held until the server answered would hold up every other slot for as long as a
// server that never answers runs.)
// A set-up file started straight away has a script named after the file.
QString slotScriptFile(const Request& request) {
    if (!request.setupFile.isEmpty())
        return *setup::scriptFileFor(request.setupFile); // checked with the command line
    return QStringLiteral("FragDocker-slot%1.cfg").arg(request.slot.back());
}

// Shows what failed and gives the exit status of its kind.
int report(Context& ctx, const Failure& failure) {
    ctx.alert(failure.message);
    switch (failure.kind) {
    case FailureKind::Usage:
        return exitCode::usage;
    case FailureKind::Refused:
    case FailureKind::Damaged:
        return exitCode::refused;
    case FailureKind::Failed:
        break;
    }
    return exitCode::failed;
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

    // Load, as the Load button does it, or of a set-up file as Load would put it into the
    // controls; the exit status, done when loaded.
    int load(const Request& request) {
        messages_.subject = request.subject();
        if (request.setupFile.isEmpty()) {
            ctx().form.setText(ctl::cmboSaveGame, request.slot);
            ctx().form.click(ctl::cmdLoad);
        } else {
            const Outcome<setup::Setup> read = setup::readSetupFile(
                request.setupFile, setup::freshRecord(ctx(), QString::fromLatin1(slotNames[0])));
            if (!read.ok())
                return report(ctx(), read.reason());
            setup::putSetup(ctx(), *read);
        }
        if (!request.gameFolder.isNull())
            ctx().form.setText(ctl::frmGamePath::txtGamePath, request.gameFolder);
        return failed() ? exitCode::failed : exitCode::done;
    }

    // The map rotation, which only the command line insists on; false after a message.
    bool mapsToPlay() {
        const Outcome<> maps = hosting::mapsToPlay(ctx().form);
        if (!maps.ok())
            ctx().alert(maps.failure());
        return maps.ok();
    }

    // ENGAGE as the window's, but with the slot's port and address on the game's command line
    // and a script of the slot's own, so that slots run side by side from one game folder.
    int engage(const Request& request) {
        if (!mapsToPlay())
            return exitCode::refused;
        QString problem;
        const std::optional<hosting::ServerAddress> address =
            hosting::serverAddressOf(ctx().form, request.subject(), problem);
        if (address)
            problem = hosting::listenProblem(*address, request.subject());
        if (!problem.isEmpty()) {
            ctx().alert(problem);
            return exitCode::refused;
        }
        const hosting::SystemdNotifier notifier;
        std::optional<hosting::Supervisor> supervisor;
        if (request.wait)
            attached_.watchWith(supervisor.emplace(*address->queryAddress(), notifier));
        // Which slot serves the port, for --status; kept while the server runs after a return.
        hosting::RunningServerNote note(*address->queryAddress(), request.subject(),
                                        store().path());
        Engage(ctx(), {slotScriptFile(request), address->commandLine()});
        if (!ctx().form.isClosed(Window::frmFragDocker))
            return exitCode::refused;
        if (!request.wait)
            note.keep();
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
    if (!headless.mapsToPlay())
        return exitCode::refused;
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

// Writes the loaded slot's set-up to the file, replaced whole, or to standard output.
int exportSetup(Headless& headless, const Request& request) {
    const QByteArray bytes = setup::writeSetup(setup::setupFromControls(headless.ctx().form));
    if (request.exportFile.isEmpty()) {
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
        return exitCode::done;
    }
    ReplacedFile file(request.exportFile);
    file.write(bytes);
    if (const QString failure = file.commit(); !failure.isEmpty())
        return report(headless.ctx(), failed(failure));
    return exitCode::done;
}

// Stores the file's set-up into the slot by the window's own Save: the store opened as the
// window opens it, and refused while a window holds it. The slot's name is the slot's.
int importSetup(Headless& headless, const Request& request) {
    Context& ctx = headless.ctx();
    Outcome<setup::Setup> read =
        setup::readSetupFile(request.setupFile, setup::freshRecord(ctx, request.slot));
    if (!read.ok())
        return report(ctx, read.reason());
    if (StoreLock::heldElsewhere(fileIn(ctx.appFolder, storeFile::lock)))
        return report(ctx, refused(QStringLiteral("FragDocker is running and holds the settings "
                                                  "store in \"%1\"; close its window, then "
                                                  "import again.")
                                       .arg(ctx.appFolder)));
    headless.store().close();
    if (!openSettingsStore(ctx, headless.store()))
        return exitCode::failed;
    setup::putSetup(ctx, setup::namedAs(*std::move(read), request.slot));
    ctx.form.click(ctl::cmdSave);
    return headless.failed() ? exitCode::failed : exitCode::done;
}

} // namespace

int runRequest(const Request& request, const AppFolders& appFolders) {
    Headless headless(appFolders, request.wait);
    if (headless.failed())
        return exitCode::failed;
    if (request.action == Action::List)
        return listSlots(headless);
    if (request.action == Action::Status && request.subject().isEmpty())
        return hosting::reportEverySlot(headless.ctx(), headless.store()) ? exitCode::done
                                                                          : exitCode::failed;
    if (request.action == Action::Import)
        return importSetup(headless, request);
    if (const int loaded = headless.load(request); loaded != exitCode::done)
        return loaded;
    switch (request.action) {
    case Action::Script:
        return printScript(headless);
    case Action::Export:
        return exportSetup(headless, request);
    case Action::Status:
        return hosting::reportSlotServer(headless.ctx(), request.subject())
                   ? exitCode::done
                   : exitCode::notAnswering;
    default:
        return headless.engage(request);
    }
}

} // namespace fd
