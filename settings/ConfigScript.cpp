#include "ConfigScript.h"

#include "core/FormModel.h"

namespace fd::script {

namespace {

// A console variable set to a quoted value; the value is written unchanged, quotes and all.
QString assign(const char* head, const QString& value) {
    return QString::fromLatin1(head) + u'"' + value + u'"';
}

QString oneOrZero(const FormModel& form, CheckBox box) {
    return form.value(box) == 1 ? QStringLiteral("1") : QStringLiteral("0");
}

QString textWhenChecked(const FormModel& form, CheckBox box, TextBox text) {
    return form.value(box) == 1 ? form.text(text) : QStringLiteral("0");
}

void addWhenNotEmpty(QStringList& lines, const char* head, const FormModel& form, TextBox box) {
    if (!form.text(box).isEmpty())
        lines << assign(head, form.text(box));
}

void addWhenChecked(QStringList& lines, const char* head, const FormModel& form, CheckBox box,
                    const QString& value) {
    if (form.value(box) == 1)
        lines << assign(head, value);
}

const QString one = QStringLiteral("1");

void addMapRotation(QStringList& lines, const QStringList& maps) {
    for (qsizetype n = 1; n <= maps.size(); ++n)
        lines << QStringLiteral("Set d%1 \"map %2; set nextmap vstr d%3\"")
                     .arg(QString::number(n), maps[n - 1], QString::number(n + 1));
    lines << assign("set ", QStringLiteral("nextmap vstr d1")) << QStringLiteral("wait")
          << QStringLiteral("vstr d1");
}

void addBots(QStringList& lines, const QStringList& roster) {
    for (const QString& bot : roster)
        lines << QStringLiteral("addbot ") + bot;
}

} // namespace

QStringList head(const FormModel& f, const QString& weaponFactor) {
    using namespace ctl;
    QStringList lines;
    lines << QStringLiteral("//You can delete this file and it will not hurt anything.");
    lines << assign("seta sv_hostname ", f.text(txtServerName));
    lines << assign("seta sv_cheats ", oneOrZero(f, chkAllowServerCheats));
    addWhenNotEmpty(lines, "seta sv_privatePassword ", f, txtPrivateClientPassword);
    addWhenNotEmpty(lines, "seta sv_maxclients ", f, txtMaxPlayers);
    addWhenNotEmpty(lines, "seta sv_minclients ", f, txtMinPlayers);
    addWhenNotEmpty(lines, "seta sv_rconpassword ", f, txtConsolePassword);
    lines << assign("seta g_motd ", f.text(txtServerQuote));
    lines << assign("seta g_gametype", f.text(txtGameType));
    addWhenChecked(lines, "seta g_ModElimination ", f, chkElimination, one);
    addWhenChecked(lines, "seta g_ModActionHero ", f, chkActionHero, one);
    addWhenChecked(lines, "seta g_ModDisintegration ", f, chkDisintegration, one);
    addWhenChecked(lines, "seta g_ModAssimilation ", f, chkAssimilation, one);
    addWhenChecked(lines, "seta g_ModSpecialties ", f, chkSpecialties, one);
    lines << assign("seta g_forcerespawn ",
                    textWhenChecked(f, chkForcePlayerRespawn, txtForcePlayerRespawnSeconds));
    lines << assign("seta g_allowvote ", oneOrZero(f, chkAllowPlayerVoting));
    lines << assign("seta g_inactivity ",
                    textWhenChecked(f, chkKickInactivePlayers, txtKickInactivePlayersSeconds));
    addWhenChecked(lines, "seta g_doWarmup ", f, chkWarmup, f.text(txtWarmupSeconds));
    lines << assign("seta g_quadfactor ", weaponFactor);
    lines << assign("seta g_knockback ", f.text(txtWeaponDamageKnockback));
    lines << assign("seta g_adaptrespawn ", oneOrZero(f, chkAdaptiveItemRespawn));
    lines << assign("seta g_weaponrespawn ", f.text(txtRespawnItemsSeconds));
    lines << assign("seta g_friendlyfire ", oneOrZero(f, chkFriendlyFire));
    lines << assign("seta g_teamAutoJoin ", oneOrZero(f, chkAutoJoin));
    lines << assign("seta g_teamForceBalance ", oneOrZero(f, chkForceTeamBalance));
    lines << assign("seta g_speed ", f.text(txtSetGameSpeed));
    lines << assign("seta g_gravity ", f.text(txtSetGameGravity));
    lines << assign("seta g_intermissionTime ", f.text(txtIntermissionTime));
    lines << assign("seta g_holoIntro ", oneOrZero(f, chkHolodeckIntro));
    lines << assign("seta bot_enable ", oneOrZero(f, chkTurnBotsOn));
    lines << assign("seta bot_nochat ", oneOrZero(f, chkTurnBotChattingOff));
    return lines;
}

QString botCount(const FormModel& f) {
    return assign("seta bot_minplayers ", f.text(ctl::txtMoreBots));
}

QStringList tail(const FormModel& f) {
    using namespace ctl;
    QStringList lines;
    const std::pair<OptionButton, const char*> skills[] = {{optionBotSkillCadet, "1"},
                                                           {optionBotSkillEnsign, "2"},
                                                           {optionBotSkillLieutenant, "3"},
                                                           {optionBotSkillCommander, "4"},
                                                           {optionBotSkillCaptain, "5"}};
    for (auto [option, skill] : skills)
        if (f.selected(option))
            lines << assign("seta g_spSkill ", QString::fromLatin1(skill));
    lines << assign("seta sv_maxPing ", f.text(txtClientMaxPing));
    lines << assign("seta sv_minPing ", f.text(txtClientMinimumPing));
    lines << assign("seta sv_floodProtect ", oneOrZero(f, chkServerFloodProtection));
    addWhenChecked(lines, "seta net_port ", f, chkSetNetport, f.text(txtSetNetportNumber));
    addWhenChecked(lines, "seta net_ip ", f, chkSetNetIP, f.text(txtSetNetIPNumber));
    addWhenChecked(lines, "seta g_log ", f, chkCreateServerLog, f.text(txtCreateServerLogPath));
    lines << assign("seta sv_master3 ", f.text(txtMasterServer3));
    lines << assign("seta sv_master4 ", f.text(txtMasterServer4));
    lines << assign("seta sv_master5 ", f.text(txtMasterServer5));
    lines << assign("seta com_hunkMegs ", f.text(txtChangeReservedMemoryAmount));
    addWhenChecked(lines, "seta cl_allowownload ", f, chkAllowClientsToDownload, one);
    addWhenChecked(lines, "seta cl_packets ", f, chkAllowClientsToDownload,
                   f.text(txtMaxPacketsToDownload));
    lines << assign("seta g_ghostRespawn ", f.text(txtSecondsOfInvulnerability));
    lines << assign("set FragLimit ", f.text(txtFragLimit));
    lines << assign("set CaptureLimit ", f.text(txtCaptureLimit));
    lines << assign("set TimeLimit ", f.text(txtTimeLimit));
    addMapRotation(lines, f.items(List2));
    addBots(lines, f.items(list4));
    return lines;
}

QStringList gameArguments(const FormModel& f) {
    if (f.selected(ctl::optionDedicated))
        return {QStringLiteral("+set"), QStringLiteral("dedicated"), QStringLiteral("1"),
                QStringLiteral("+exec"), QStringLiteral("fragdocker.cfg")};
    return {QStringLiteral("+exec"), QStringLiteral("fragdocker.cfg")};
}

} // namespace fd::script
