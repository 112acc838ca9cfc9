#include "frmGamePath.h"

#include "core/Context.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"
#include "WineRegistry.h"

namespace fd {

namespace {

const QString pathFileName = QStringLiteral("path.ini");
const QString gameProgram = QStringLiteral("/stvoyHM.exe");

QString gameFolder(const Context& ctx) {
    return ctx.form.text(ctl::frmGamePath::txtGamePath);
}

// The path file, whatever the letter case of its name.
QString pathFile(const Context& ctx) {
    PathResolver files;
    return files.resolve(ctx.appFile(pathFileName));
}

bool pathFileExists(const Context& ctx) {
    PathResolver files;
    return files.isFile(ctx.appFile(pathFileName));
}

bool holdsGame(const QString& folder) {
    PathResolver files;
    return files.isFile(folder + gameProgram);
}

// Replaces the path file in one step; false after telling the user what failed.
bool writePathFile(Context& ctx, const QStringList& lines) {
    const QString failure = text::writeLinesAtomically(pathFile(ctx), lines);
    if (!failure.isEmpty())
        ctx.alert(failure);
    return failure.isEmpty();
}

void showDialog(FormModel& form) {
    form.hide(Window::frmFragDocker);
    form.show(Window::frmGamePath);
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

void showGamePathDialogWhenNoPathFile(Context& ctx) {
    if (!pathFileExists(ctx))
        showDialog(ctx.form);
}

void showGamePathDialogWhenGameMissing(Context& ctx) {
    if (!holdsGame(gameFolder(ctx)))
        showDialog(ctx.form);
}

void cmdRefindGamePatch_Click(Context& ctx) {
    showDialog(ctx.form);
}

namespace frmGamePath {

void Form_Load(Context& ctx) {
    if (!pathFileExists(ctx))
        FillFromRegistry(ctx);
}

void FillFromRegistry(Context& ctx) {
    if (!writePathFile(ctx, {}))
        return;
    const QString found = GetGamePath(ctx.winePrefix, QString::fromLatin1(gameRegistryKey),
                                      QString::fromLatin1(gameRegistryValue));
    ctx.form.setText(ctl::frmGamePath::txtGamePath, text::trimSpaces(found));
    writePathFile(ctx, {gameFolder(ctx)});
}

void BrowseForGameFolder(Context& ctx) {
    const QString title = QStringLiteral("Hello World. Click On a directory and ") +
                          QStringLiteral(" its path will be displayed in a message box");
    if (const std::optional<QString> chosen = ctx.folders.chooseFolder(title))
        ctx.form.setText(ctl::frmGamePath::txtGamePath, *chosen);
}

void cmdYes_Click(Context& ctx) {
    const QString folder = gameFolder(ctx);
    if (!holdsGame(folder)) {
        ctx.alert(QStringLiteral("This Is Not The Correct Path To stvoyHM.exe"));
        BrowseForGameFolder(ctx);
        return;
    }
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
