#include "modEngage.h"

#include "ConfigScript.h"
#include "core/Context.h"
#include "core/Decimal.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"

namespace fd {

namespace {

const QString botCountRefusal =
    QStringLiteral("If you have BOTS ENABLED you must specify THE NUMBER OF BOTS TO PLAY");

QString gameFolder(const Context& ctx) {
    return ctx.form.text(ctl::frmGamePath::txtGamePath);
}

bool botCountMissing(const FormModel& form) {
    if (form.value(ctl::chkTurnBotsOn) != 1)
        return false;
    const std::optional<Decimal> bots = Decimal::parse(form.text(ctl::txtNumberOfBotsToPlay));
    return !bots || !bots->isPositive();
}

// The script's path in the game's data folder, matched without regard to letter case; empty
// after reporting when the data folder is missing.
QString scriptPath(const Context& ctx, PathResolver& files) {
    const QString dataFolder = gameFolder(ctx) + u'/' + QString::fromLatin1(script::dataFolder);
    if (!files.isFolder(dataFolder)) {
        ctx.alert(QStringLiteral("The game folder has no \"%1\" folder to write the server "
                                 "script into: \"%2\"")
                      .arg(QString::fromLatin1(script::dataFolder), dataFolder));
        return {};
    }
    return files.resolve(dataFolder + u'/' + QString::fromLatin1(script::fileName));
}

bool finish(const Context& ctx, text::LineFile& script) {
    const QString error = script.close();
    if (!error.isEmpty())
        ctx.alert(error);
    return error.isEmpty();
}

} // namespace

void cmdEngage_Click(Context& ctx) {
    ctx.cues.play(QString::fromLatin1(cue::engage));
    Engage(ctx);
}

void Engage(Context& ctx) {
    FormModel& form = ctx.form;
    form.setText(ctl::txtMoreBots, form.text(ctl::txtNumberOfBotsToPlay));

    const QString damage = form.text(ctl::txtWeaponEnhancerDamage);
    const std::optional<Decimal> factor = Decimal::parse(damage);
    if (!factor) {
        ctx.alert(QStringLiteral("The Weapon Enhancer Damage \"%1\" is not a number.").arg(damage));
        return;
    }

    PathResolver files;
    const QString path = scriptPath(ctx, files);
    if (path.isEmpty())
        return;
    text::LineFile lines(path);
    script::writeHead(form, factor->times(33).toString(), lines);
    if (botCountMissing(form)) {
        if (finish(ctx, lines)) // the script so far stays, as a record of the refusal
            ctx.alert(botCountRefusal);
        return;
    }
    if (form.value(ctl::chkTurnBotsOn) == 1)
        script::writeBotCount(form, lines);
    script::writeTail(form, lines);
    if (!finish(ctx, lines))
        return;

    const QString program = files.resolve(gameFolder(ctx) + QStringLiteral("/stvoyHM.exe"));
    const QString error = ctx.launcher.start(program, script::gameArguments(form), gameFolder(ctx));
    if (!error.isEmpty()) {
        ctx.alert(error);
        return;
    }
    form.close({Window::frmGamePath, Window::frmFragDocker, Window::frmErrorMap,
                Window::frmFragdockerRunning});
}

} // namespace fd
