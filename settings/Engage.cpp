#include "Engage.h"

#include "ConfigScript.h"
#include "LineBreaks.h"
#include "core/Context.h"
#include "core/Decimal.h"
#include "core/GameFiles.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"

namespace fd {

namespace {

const QString botCountRefusal =
    QStringLiteral("If you have BOTS ENABLED you must specify THE NUMBER OF BOTS TO PLAY");

bool botCountMissing(const FormModel& form) {
    if (form.value(ctl::chkTurnBotsOn) != 1)
        return false;
    const std::optional<Decimal> bots = Decimal::parse(form.text(ctl::txtNumberOfBotsToPlay));
    return !bots || !bots->isPositive();
}

// The script's path in the game's data folder, matched without regard to letter case; empty
// after reporting when the data folder is missing.
QString scriptPath(const Context& ctx, PathResolver& files, const QString& fileName) {
    const QString dataFolder = game::dataFolder(ctx.form);
    if (!files.isFolder(dataFolder)) {
        ctx.alert(QStringLiteral("The game folder has no \"%1\" folder to write the server "
                                 "script into: \"%2\"")
                      .arg(QString::fromLatin1(game::dataFolderName), dataFolder));
        return {};
    }
    return files.resolve(dataFolder + u'/' + fileName);
}

bool finish(const Context& ctx, text::LineFile& script) {
    const Outcome<> closed = script.close();
    if (!closed.ok())
        ctx.alert(closed.failure());
    return closed.ok();
}

// The steps before the script is written: no value that would break a line, the number of bots
// copied to where its line takes it from, and the weapon enhancer factor; nothing after
// reporting a value that breaks a line or a damage that is no number.
std::optional<QString> weaponFactor(Context& ctx) {
    FormModel& form = ctx.form;
    if (const Outcome<> fits = checkScriptValues(form); !fits.ok()) {
        ctx.alert(fits.failure());
        return std::nullopt;
    }
    form.setText(ctl::txtMoreBots, form.text(ctl::txtNumberOfBotsToPlay));
    const QString damage = form.text(ctl::txtWeaponEnhancerDamage);
    const std::optional<Decimal> factor = Decimal::parse(damage);
    if (!factor) {
        ctx.alert(QStringLiteral("The Weapon Enhancer Damage \"%1\" is not a number.").arg(damage));
        return std::nullopt;
    }
    return factor->times(33).toString();
}

// The whole script from the controls; false, holding the lines up to the bot count, when a
// number of bots is missing.
bool composeScript(const FormModel& form, const QString& factor, text::LineSink& lines) {
    script::writeHead(form, factor, lines);
    if (botCountMissing(form))
        return false;
    if (form.value(ctl::chkTurnBotsOn) == 1)
        script::writeBotCount(form, lines);
    script::writeTail(form, lines);
    return true;
}

} // namespace

void cmdEngage_Click(Context& ctx) {
    ctx.cues.play(QString::fromLatin1(cue::engage));
    Engage(ctx);
}

void Engage(Context& ctx, const EngageTarget& target) {
    const std::optional<QString> factor = weaponFactor(ctx);
    if (!factor)
        return;
    PathResolver files;
    const bool own = !target.scriptFile.isEmpty();
    const QString path =
        scriptPath(ctx, files, own ? target.scriptFile : QString::fromLatin1(game::scriptFile));
    if (path.isEmpty())
        return;
    text::LineFile lines(path);
    if (!composeScript(ctx.form, *factor, lines)) {
        if (finish(ctx, lines)) // the script so far stays, as a record of the refusal
            ctx.alert(botCountRefusal);
        return;
    }
    if (!finish(ctx, lines))
        return;

    // The game starts in its folder as the disk spells it, whatever letter case it was given in.
    const QString folder = files.resolve(game::gameFolder(ctx.form));
    const QString program = files.resolve(game::inFolder(folder, game::programFile));
    QStringList arguments = script::gameArguments(ctx.form);
    if (own)
        arguments.last() = target.scriptFile;
    const qsizetype exec = arguments.size() - 2; // "+exec" and the script come last
    arguments = arguments.mid(0, exec) + target.commands + arguments.mid(exec);
    const QString error = ctx.launcher.start(program, arguments, folder);
    if (!error.isEmpty()) {
        ctx.alert(error);
        return;
    }
    ctx.form.close({Window::frmGamePath, Window::frmFragDocker, Window::frmErrorMap,
                    Window::frmFragdockerRunning});
}

std::optional<QByteArray> PreviewScript(Context& ctx) {
    const std::optional<QString> factor = weaponFactor(ctx);
    if (!factor)
        return std::nullopt;
    text::LineEncoder lines;
    if (!composeScript(ctx.form, *factor, lines)) {
        ctx.alert(botCountRefusal);
        return std::nullopt;
    }
    return lines.bytes().toByteArray();
}

} // namespace fd
