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

// The script's path in the game's data folder, matched without regard to letter case; a refusal
// when the data folder is missing.
Outcome<QString> scriptPath(const FormModel& form, PathResolver& files, const QString& fileName) {
    const QString dataFolder = game::dataFolder(form);
    if (!files.isFolder(dataFolder))
        return refused(QStringLiteral("The game folder has no \"%1\" folder to write the server "
                                      "script into: \"%2\"")
                           .arg(QString::fromLatin1(game::dataFolderName), dataFolder));
    return files.resolve(dataFolder + u'/' + fileName);
}

// The steps before the script is written: no value that would break a line, the number of bots
// copied to where its line takes it from, and the weapon enhancer factor; nothing after a
// value that breaks a line or a damage that is no number.
Outcome<QString> weaponFactor(FormModel& form) {
    if (const Outcome<> fits = checkScriptValues(form); !fits.ok())
        return fits.reason();
    form.setText(ctl::txtMoreBots, form.text(ctl::txtNumberOfBotsToPlay));
    const QString damage = form.text(ctl::txtWeaponEnhancerDamage);
    const std::optional<Decimal> factor = Decimal::parse(damage);
    if (!factor)
        return refused(
            QStringLiteral("The Weapon Enhancer Damage \"%1\" is not a number.").arg(damage));
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

// Writes the whole script at the path; a refusal when a number of bots is missing, the lines
// up to the bot count then kept as a record of it.
Outcome<> writeScript(const FormModel& form, const QString& factor, const QString& path) {
    text::LineFile lines(path);
    const bool whole = composeScript(form, factor, lines);
    if (Outcome<> closed = lines.close(); !closed.ok())
        return closed;
    if (!whole)
        return refused(botCountRefusal);
    return Outcome<>::success();
}

} // namespace

void cmdEngage_Click(Context& ctx) {
    ctx.cues.play(QString::fromLatin1(cue::engage));
    if (const Outcome<> engaged = Engage(ctx); !engaged.ok())
        ctx.alert(engaged.failure());
}

Outcome<ProcessCommand> PrepareEngage(Context& ctx, const EngageTarget& target) {
    const Outcome<QString> factor = weaponFactor(ctx.form);
    if (!factor.ok())
        return factor.reason();
    PathResolver files;
    const Outcome<QString> path = scriptPath(ctx.form, files, target.scriptFile);
    if (!path.ok())
        return path.reason();
    if (const Outcome<> written = writeScript(ctx.form, *factor, *path); !written.ok())
        return written.reason();
    // The game starts in its folder as the disk spells it, whatever letter case it was given in.
    const QString folder = files.resolve(game::gameFolder(ctx.form));
    return ctx.launcher.prepare(files.resolve(game::inFolder(folder, game::programFile)),
                                script::gameArguments(ctx.form, target.commands, target.scriptName),
                                folder);
}

Outcome<> Engage(Context& ctx, const EngageTarget& target) {
    const Outcome<ProcessCommand> command = PrepareEngage(ctx, target);
    if (!command.ok())
        return command.reason();
    if (const Outcome<> started = ctx.launcher.startDetached(*command); !started.ok())
        return started;
    closeEveryWindow(ctx.form);
    return Outcome<>::success();
}

Outcome<QByteArray> PreviewScript(Context& ctx) {
    const Outcome<QString> factor = weaponFactor(ctx.form);
    if (!factor.ok())
        return factor.reason();
    text::LineEncoder lines;
    if (!composeScript(ctx.form, *factor, lines))
        return refused(botCountRefusal);
    return lines.bytes().toByteArray();
}

} // namespace fd
