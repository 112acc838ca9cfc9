#include "frmGamePath.h"

#include "PathFile.h"
#include "WineRegistry.h"
#include "core/Context.h"
#include "core/GameFiles.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"

namespace fd {

namespace {

bool holdsGame(const FormModel& form) {
    PathResolver files;
    return files.isFile(game::gameProgram(form));
}

// Replaces the path file; false after telling the user what failed.
bool writePathFile(Context& ctx, const QStringList& lines) {
    const Outcome<> written = WritePathFile(ctx.appFolder, lines);
    if (!written.ok())
        ctx.alert(written.failure());
    return written.ok();
}

void showDialog(FormModel& form) {
    form.hide(Window::frmFragDocker);
    form.show(Window::frmGamePath);
}

// The dialog's load step: writes the path file (empty) first, then puts the registry's game
// folder into the path box and writes it as the path file's one line.
void FillFromRegistry(Context& ctx, const QString& winePrefix) {
    if (!writePathFile(ctx, {}))
        return;
    const std::optional<QString> found = GetGamePath(
        winePrefix, QString::fromLatin1(gameRegistryKey), QString::fromLatin1(gameRegistryValue));
    ctx.form.setText(ctl::frmGamePath::txtGamePath, text::trimSpaces(found.value_or(QString())));
    writePathFile(ctx, {game::gameFolder(ctx.form)}); // the last step: a failure is told, no more
}

// The folder chooser; a chosen folder goes into the path box, a cancelled one changes nothing.
void BrowseForGameFolder(Context& ctx) {
    const QString title = QStringLiteral("Hello World. Click On a directory and ") +
                          QStringLiteral(" its path will be displayed in a message box");
    if (const std::optional<QString> chosen = ctx.folders.chooseFolder(title))
        ctx.form.setText(ctl::frmGamePath::txtGamePath, *chosen);
}

} // namespace

void declareGamePathControls(FormModel& form) {
    form.declare(ctl::frmGamePath::cmdYes);
    form.declare(ctl::frmGamePath::cmdNo);
    form.declare(ctl::txtGamePath, QString());
    form.declare(ctl::cmdRefindGamePatch);
}

void connectGamePathHandlers(Context& ctx) {
    ctx.form.onClick(ctl::frmGamePath::cmdYes, [&ctx] { frmGamePath::cmdYes_Click(ctx); });
    ctx.form.onClick(ctl::frmGamePath::cmdNo, [&ctx] { frmGamePath::cmdNo_Click(ctx); });
    ctx.form.onClick(ctl::cmdRefindGamePatch, [&ctx] { cmdRefindGamePatch_Click(ctx); });
}

void FindGameFolder(Context& ctx, const QString& winePrefix) {
    if (!pathFileExists(ctx.appFolder)) {
        showDialog(ctx.form);
        FillFromRegistry(ctx, winePrefix);
    }
    // A path file that cannot be read leaves the path box as it was: the dialog then asks.
    (void)ReadPathFile(ctx.form, ctx.appFolder);
    if (!holdsGame(ctx.form))
        showDialog(ctx.form);
}

void cmdRefindGamePatch_Click(Context& ctx) {
    showDialog(ctx.form);
}

namespace frmGamePath {

void cmdYes_Click(Context& ctx) {
    if (!holdsGame(ctx.form)) {
        ctx.alert(QStringLiteral("This Is Not The Correct Path To %1")
                      .arg(QString::fromLatin1(game::programFile)));
        BrowseForGameFolder(ctx);
        return;
    }
    const QString folder = game::gameFolder(ctx.form);
    if (!writePathFile(ctx, {folder}))
        return;
    ctx.form.hide(Window::frmGamePath);
    ctx.form.setText(ctl::txtGamePath, folder);
    ctx.form.show(Window::frmFragDocker);
}

void cmdNo_Click(Context& ctx) {
    BrowseForGameFolder(ctx);
}

void closeByFrame(Context& ctx) {
    ctx.form.hide(Window::frmGamePath);
    ctx.form.show(Window::frmFragDocker);
}

} // namespace frmGamePath
} // namespace fd
