#include "ConfigScript.h"

#include "core/FormModel.h"
#include "core/TextFile.h"

#include <charconv>

namespace fd::script {

namespace {

// Writes console variables set to quoted values; a value is written unchanged, quotes and all.
class Writer {
public:
    Writer(const FormModel& form, text::LineSink& out) : f(form), out_(out) {}

    void plain(QStringView line) { out_.line(line); }
    void assign(QStringView head, QStringView value) { out_.line({head, u"\"", value, u"\""}); }
    void assign(QStringView head, TextBox box) { assign(head, f.text(box)); }
    // "1" when the box is checked, else "0".
    void assignFlag(QStringView head, CheckBox box) { assign(head, checked(box) ? u"1" : u"0"); }
    // The text when the box is checked, else "0".
    void assignWhenChecked(QStringView head, CheckBox box, TextBox text) {
        assign(head, checked(box) ? f.text(text) : QStringLiteral("0"));
    }
    void onlyWhenChecked(QStringView head, CheckBox box, QStringView value) {
        if (checked(box))
            assign(head, value);
    }
    void onlyWhenChecked(QStringView head, CheckBox box, TextBox text) {
        if (checked(box))
            assign(head, text);
    }
    void onlyWhenNotEmpty(QStringView head, TextBox box) {
        if (!f.text(box).isEmpty())
            assign(head, box);
    }
    void line(std::initializer_list<QStringView> parts) { out_.line(parts); }

    bool checked(CheckBox box) const { return f.value(box) == 1; }

    const FormModel& f;

private:
    text::LineSink& out_;
};

// A number in decimal, without allocating.
class Number {
public:
    explicit Number(qsizetype n) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        size_ = end - digits;
        for (qsizetype i = 0; i < size_; ++i)
            text_[i] = char16_t(digits[i]);
    }
    operator QStringView() const { return {text_, size_}; }

private:
    char16_t text_[24];
    qsizetype size_ = 0;
};

void writeMapRotation(Writer& w, const QStringList& maps) {
    Number current(1); // each line's next number is the following line's own
    for (qsizetype n = 1; n <= maps.size(); ++n) {
        const Number next(n + 1);
        w.line({u"Set d", current, u" \"map ", maps[n - 1], u"; set nextmap vstr d", next, u"\""});
        current = next;
    }
    w.assign(u"set ", u"nextmap vstr d1");
    w.plain(u"wait");
    w.plain(u"vstr d1");
}

void writeBots(Writer& w, const QStringList& roster) {
    for (const QString& bot : roster)
        w.line({u"addbot ", bot});
}

} // namespace

void writeHead(const FormModel& form, const QString& weaponFactor, text::LineSink& out) {
    using namespace ctl;
    Writer w(form, out);
    w.plain(u"//You can delete this file and it will not hurt anything.");
    w.assign(u"seta sv_hostname ", txtServerName);
    w.assignFlag(u"seta sv_cheats ", chkAllowServerCheats);
    w.onlyWhenNotEmpty(u"seta sv_privatePassword ", txtPrivateClientPassword);
    w.onlyWhenNotEmpty(u"seta sv_maxclients ", txtMaxPlayers);
    w.onlyWhenNotEmpty(u"seta sv_minclients ", txtMinPlayers);
    w.onlyWhenNotEmpty(u"seta sv_rconpassword ", txtConsolePassword);
    w.assign(u"seta g_motd ", txtServerQuote);
    w.assign(u"seta g_gametype", txtGameType);
    w.onlyWhenChecked(u"seta g_ModElimination ", chkElimination, u"1");
    w.onlyWhenChecked(u"seta g_ModActionHero ", chkActionHero, u"1");
    w.onlyWhenChecked(u"seta g_ModDisintegration ", chkDisintegration, u"1");
    w.onlyWhenChecked(u"seta g_ModAssimilation ", chkAssimilation, u"1");
    w.onlyWhenChecked(u"seta g_ModSpecialties ", chkSpecialties, u"1");
    w.assignWhenChecked(u"seta g_forcerespawn ", chkForcePlayerRespawn,
                        txtForcePlayerRespawnSeconds);
    w.assignFlag(u"seta g_allowvote ", chkAllowPlayerVoting);
    w.assignWhenChecked(u"seta g_inactivity ", chkKickInactivePlayers,
                        txtKickInactivePlayersSeconds);
    w.onlyWhenChecked(u"seta g_doWarmup ", chkWarmup, txtWarmupSeconds);
    w.assign(u"seta g_quadfactor ", weaponFactor);
    w.assign(u"seta g_knockback ", txtWeaponDamageKnockback);
    w.assignFlag(u"seta g_adaptrespawn ", chkAdaptiveItemRespawn);
    w.assign(u"seta g_weaponrespawn ", txtRespawnItemsSeconds);
    w.assignFlag(u"seta g_friendlyfire ", chkFriendlyFire);
    w.assignFlag(u"seta g_teamAutoJoin ", chkAutoJoin);
    w.assignFlag(u"seta g_teamForceBalance ", chkForceTeamBalance);
    w.assign(u"seta g_speed ", txtSetGameSpeed);
    w.assign(u"seta g_gravity ", txtSetGameGravity);
    w.assign(u"seta g_intermissionTime ", txtIntermissionTime);
    w.assignFlag(u"seta g_holoIntro ", chkHolodeckIntro);
    w.assignFlag(u"seta bot_enable ", chkTurnBotsOn);
    w.assignFlag(u"seta bot_nochat ", chkTurnBotChattingOff);
}

void writeBotCount(const FormModel& form, text::LineSink& out) {
    Writer(form, out).assign(u"seta bot_minplayers ", ctl::txtMoreBots);
}

void writeTail(const FormModel& form, text::LineSink& out) {
    using namespace ctl;
    Writer w(form, out);
    const std::pair<OptionButton, const char16_t*> skills[] = {{optionBotSkillCadet, u"1"},
                                                               {optionBotSkillEnsign, u"2"},
                                                               {optionBotSkillLieutenant, u"3"},
                                                               {optionBotSkillCommander, u"4"},
                                                               {optionBotSkillCaptain, u"5"}};
    for (auto [option, skill] : skills)
        if (form.selected(option))
            w.assign(u"seta g_spSkill ", skill);
    w.assign(u"seta sv_maxPing ", txtClientMaxPing);
    w.assign(u"seta sv_minPing ", txtClientMinimumPing);
    w.assignFlag(u"seta sv_floodProtect ", chkServerFloodProtection);
    w.onlyWhenChecked(u"seta net_port ", chkSetNetport, txtSetNetportNumber);
    w.onlyWhenChecked(u"seta net_ip ", chkSetNetIP, txtSetNetIPNumber);
    w.onlyWhenChecked(u"seta g_log ", chkCreateServerLog, txtCreateServerLogPath);
    w.assign(u"seta sv_master3 ", txtMasterServer3);
    w.assign(u"seta sv_master4 ", txtMasterServer4);
    w.assign(u"seta sv_master5 ", txtMasterServer5);
    w.assign(u"seta com_hunkMegs ", txtChangeReservedMemoryAmount);
    w.onlyWhenChecked(u"seta cl_allowownload ", chkAllowClientsToDownload, u"1");
    w.onlyWhenChecked(u"seta cl_packets ", chkAllowClientsToDownload, txtMaxPacketsToDownload);
    w.assign(u"seta g_ghostRespawn ", txtSecondsOfInvulnerability);
    w.assign(u"set FragLimit ", txtFragLimit);
    w.assign(u"set CaptureLimit ", txtCaptureLimit);
    w.assign(u"set TimeLimit ", txtTimeLimit);
    writeMapRotation(w, form.items(List2));
    writeBots(w, form.items(list4));
}

QStringList gameArguments(const FormModel& form, const QStringList& commands,
                          const QString& scriptName) {
    QStringList arguments;
    if (form.selected(ctl::optionDedicated))
        arguments << QStringLiteral("+set") << QStringLiteral("dedicated") << QStringLiteral("1");
    return arguments << commands << QStringLiteral("+exec") << scriptName;
}

} // namespace fd::script
