#include "HeadlessRun.h"

#include "AttachedLauncher.h"
#include "CommandLine.h"
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

#include <cstdio>
#include <optional>

namespace fd {

namespace {

// Every message the window would show, on standard error instead.
class ErrorStreamMessages : public MessageBox {
public:
    void show(const QString& text) override {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        shown = true;
    }
    bool shown = false;
};

// The script of a slot started from the command line: a file of its own per slot, so that
// two slots started at the same moment from one game folder never run each other's script.
// (A lock held until the server answered would hold up every other slot for as long as a
// server that never answers runs.)
QString slotScriptFile(const QString& slot) {
    return QStringLiteral("FragDocker-slot%1.cfg").arg(slot.back());
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
        if (const Outcome<> opened = program_.store.openForReading(appFolders.writable);
            !opened.ok())
            ctx().alert(opened.failure());
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
        const Outcome<> loaded = GetFromDatabase(ctx, headless.store(), QString::fromLatin1(name));
        if (!loaded.ok()) {
            ctx.alert(loaded.failure());
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

} // namespace

int runRequest(const Request& request, const AppFolders& appFolders) {
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

} // namespace fd
