#pragma once
// The settings record: every server setting, each held by one control, in the order in which
// the settings store writes them. This table is the one place that lists them: the controls'
// declarations with their initial values and typing limits, the store's columns and a slot's
// record are made from it. The script writer names the controls it reads itself, in the
// order of the script's lines.

#include "core/Controls.h"

#include <QString>

#include <algorithm>
#include <array>

namespace fd {

class FormModel;

enum class FieldKind {
    Text,    // the text of a text box, as typed
    Chooser, // the text of the slot chooser, as typed
    Check,   // a check box: 0 or 1
    Option,  // an option button: true when selected
    Flag,    // no control; always stored as false
};

// Whether a field holds text (else a truth value).
constexpr bool holdsText(FieldKind kind) {
    return kind == FieldKind::Text || kind == FieldKind::Chooser;
}

struct Field {
    const char* name; // the setting's name, also its store column
    Control control;  // the control that holds it (none for the flag)
    FieldKind kind;
    const char* initial; // text, "0"/"1" for checks, "true"/"false" for options
    int maxLength;       // most characters that can be typed; 0 for no limit
    const char* group;   // an option's group
};

// The public master server that the game's community runs today.
inline constexpr const char* defaultMasterServer = "master.stvef.org";

// clang-format off
inline constexpr std::array<Field, 71> settingsRecord{{
    {"SaveFile",                   ctl::cmboSaveGame,                   FieldKind::Chooser, "Save Game #1", 0, ""},
    {"SaveFileDescription",        ctl::txtSaveGameDescription,         FieldKind::Text,    "", 0, ""},
    {"ServerName",                 ctl::txtServerName,                  FieldKind::Text,    "Made By FragDocker", 0, ""},
    {"ServerQuote",                ctl::txtServerQuote,                 FieldKind::Text,    "Today Is a Good Day To Die!", 0, ""},
    {"Dedicated",                  ctl::optionDedicated,                FieldKind::Option,  "true", 0, "serverType"},
    {"NonDedicated",               ctl::optionNonDedicated,             FieldKind::Option,  "false", 0, "serverType"},
    {"PureServer",                 ctl::chkPureServer,                  FieldKind::Check,   "0", 0, ""},
    {"DeathMatch",                 ctl::optionDeathmatch,               FieldKind::Option,  "true", 0, "gameType"},
    {"TeamDeathMatch",             ctl::optionTeamDeathMatch,           FieldKind::Option,  "false", 0, "gameType"},
    {"CaptureTheFlag",             ctl::optionCTF,                      FieldKind::Option,  "false", 0, "gameType"},
    {"Assilmilation",              ctl::chkAssimilation,                FieldKind::Check,   "0", 0, ""},
    {"Specialties",                ctl::chkSpecialties,                 FieldKind::Check,   "0", 0, ""},
    {"Disintergration",            ctl::chkDisintegration,              FieldKind::Check,   "0", 0, ""},
    {"Elimination",                ctl::chkElimination,                 FieldKind::Check,   "0", 0, ""},
    {"ActionHero",                 ctl::chkActionHero,                  FieldKind::Check,   "0", 0, ""},
    {"ConsolePassword",            ctl::txtConsolePassword,             FieldKind::Text,    "", 0, ""},
    {"PrivateClientPassword",      ctl::txtPrivateClientPassword,       FieldKind::Text,    "", 0, ""},
    {"MaxPlayers",                 ctl::txtMaxPlayers,                  FieldKind::Text,    "8", 2, ""},
    {"MinimumPlayers",             ctl::txtMinPlayers,                  FieldKind::Text,    "0", 2, ""},
    {"SecondsOfInvulnerability",   ctl::txtSecondsOfInvulnerability,    FieldKind::Text,    "5", 2, ""},
    {"ForcePlayerRespawn",         ctl::chkForcePlayerRespawn,          FieldKind::Check,   "0", 0, ""},
    {"ForcePlayerRespawnSeconds",  ctl::txtForcePlayerRespawnSeconds,   FieldKind::Text,    "1", 2, ""},
    {"AllowPlayerVoting",          ctl::chkAllowPlayerVoting,           FieldKind::Check,   "1", 0, ""},
    {"KickInactivePlayers",        ctl::chkKickInactivePlayers,         FieldKind::Check,   "0", 0, ""},
    {"KickInactivePlayersSeconds", ctl::txtKickInactivePlayersSeconds,  FieldKind::Text,    "60", 2, ""},
    {"AllowServerCheats",          ctl::chkAllowServerCheats,           FieldKind::Check,   "0", 0, ""},
    {"Warmup",                     ctl::chkWarmup,                      FieldKind::Check,   "1", 0, ""},
    {"WarmupSeconds",              ctl::txtWarmupSeconds,               FieldKind::Text,    "0", 2, ""},
    {"WeaponEnhancerDamage",       ctl::txtWeaponEnhancerDamage,        FieldKind::Text,    "3", 2, ""},
    {"WeaponDamageKnockback",      ctl::txtWeaponDamageKnockback,       FieldKind::Text,    "500", 3, ""},
    {"AdaptiveItemRespawn",        ctl::chkAdaptiveItemRespawn,         FieldKind::Check,   "0", 0, ""},
    {"RespawnItemsSeconds",        ctl::txtRespawnItemsSeconds,         FieldKind::Text,    "5", 2, ""},
    {"FriendlyFire",               ctl::chkFriendlyFire,                FieldKind::Check,   "0", 0, ""},
    {"AutoJoinPlayers",            ctl::chkAutoJoin,                    FieldKind::Check,   "0", 0, ""},
    {"ForceTeamBalance",           ctl::chkForceTeamBalance,            FieldKind::Check,   "1", 0, ""},
    {"SetGameSpeed",               ctl::txtSetGameSpeed,                FieldKind::Text,    "325", 3, ""},
    {"SetGameGravity",             ctl::txtSetGameGravity,              FieldKind::Text,    "800", 3, ""},
    {"IntermissionTime",           ctl::txtIntermissionTime,            FieldKind::Text,    "10", 2, ""},
    {"FallingDamage",              ctl::chkFallingDamage,               FieldKind::Check,   "1", 0, ""},
    {"HoloDeckIntro",              ctl::chkHolodeckIntro,               FieldKind::Check,   "0", 0, ""},
    {"TurnBotsOn",                 ctl::chkTurnBotsOn,                  FieldKind::Check,   "1", 0, ""},
    {"TurnBotChattingOff",         ctl::chkTurnBotChattingOff,          FieldKind::Check,   "0", 0, ""},
    {"AllowBotRocketJump",         ctl::chkAllowBotRocketJump,          FieldKind::Check,   "0", 0, ""},
    {"BotSkillEnsign",             ctl::optionBotSkillEnsign,           FieldKind::Option,  "true", 0, "botSkill"},
    {"BotSkillCadet",              ctl::optionBotSkillCadet,            FieldKind::Option,  "false", 0, "botSkill"},
    {"BotSkillLieutenant",         ctl::optionBotSkillLieutenant,       FieldKind::Option,  "false", 0, "botSkill"},
    {"BotSkillCommander",          ctl::optionBotSkillCommander,        FieldKind::Option,  "false", 0, "botSkill"},
    {"BotSkillCaptain",            ctl::optionBotSkillCaptain,          FieldKind::Option,  "false", 0, "botSkill"},
    {"ClientMaxPing",              ctl::txtClientMaxPing,               FieldKind::Text,    "500", 4, ""},
    {"ClientMinimumPing",          ctl::txtClientMinimumPing,           FieldKind::Text,    "0", 3, ""},
    {"ServerFloodProtection",      ctl::chkServerFloodProtection,       FieldKind::Check,   "1", 0, ""},
    {"SetNetport",                 ctl::chkSetNetport,                  FieldKind::Check,   "0", 0, ""},
    {"SetNetportNumber",           ctl::txtSetNetportNumber,            FieldKind::Text,    "27660", 5, ""},
    {"SetNetIP",                   ctl::chkSetNetIP,                    FieldKind::Check,   "0", 0, ""},
    {"SetNetIPNumber",             ctl::txtSetNetIPNumber,              FieldKind::Text,    "", 15, ""},
    {"CreateServerLog",            ctl::chkCreateServerLog,             FieldKind::Check,   "0", 0, ""},
    {"CreateServerLogPath",        ctl::txtCreateServerLogPath,         FieldKind::Text,    "", 0, ""},
    {"ChangeReservedMemory",       ctl::chkChangeReservedMemory,        FieldKind::Check,   "0", 0, ""},
    {"ChangeReservedMemoryAmount", ctl::txtChangeReservedMemoryAmount,  FieldKind::Text,    "64", 3, ""},
    {"AllowClientsToDownload",     ctl::chkAllowClientsToDownload,      FieldKind::Check,   "1", 0, ""},
    {"MaxPacketsToDownload",       ctl::txtMaxPacketsToDownload,        FieldKind::Text,    "60", 3, ""},
    {"WriteMaxRate",               {},                                  FieldKind::Flag,    "false", 0, ""},
    {"MasterServer2",              ctl::txtMasterServer2,               FieldKind::Text,    defaultMasterServer, 0, ""},
    {"MasterServer3",              ctl::txtMasterServer3,               FieldKind::Text,    " ", 0, ""},
    {"MasterServer4",              ctl::txtMasterServer4,               FieldKind::Text,    " ", 0, ""},
    {"MasterServer5",              ctl::txtMasterServer5,               FieldKind::Text,    " ", 0, ""},
    {"GamePath",                   ctl::frmGamePath::txtGamePath,       FieldKind::Text,    "", 0, ""},
    {"NumberOfBotsToPlay",         ctl::txtNumberOfBotsToPlay,          FieldKind::Text,    "0", 2, ""},
    {"FragLimit",                  ctl::txtFragLimit,                   FieldKind::Text,    "10", 2, ""},
    {"TimeLimit",                  ctl::txtTimeLimit,                   FieldKind::Text,    "25", 2, ""},
    {"CaptureLimit",               ctl::txtCaptureLimit,                FieldKind::Text,    "0", 2, ""},
}};
// clang-format on

// Each field's control is of the kind that holds its kind of value.
constexpr bool controlFits(const Field& field) {
    switch (field.kind) {
    case FieldKind::Text:
        return field.control.kind == ControlKind::TextBox;
    case FieldKind::Chooser:
        return field.control.kind == ControlKind::ComboBox;
    case FieldKind::Check:
        return field.control.kind == ControlKind::CheckBox;
    case FieldKind::Option:
        return field.control.kind == ControlKind::OptionButton;
    case FieldKind::Flag:
        return !field.control.exists();
    }
    return false;
}
static_assert(std::ranges::all_of(settingsRecord, controlFits));

// The text boxes that start locked, and the controls that start hidden.
inline constexpr std::array initiallyLocked{ctl::txtMasterServer2, ctl::txtCreateServerLogPath,
                                            ctl::txtChangeReservedMemoryAmount,
                                            ctl::txtSetNetIPNumber, ctl::txtSetNetportNumber};

// The seven save slots, by the names the slot chooser lists.
inline constexpr std::array<const char*, 7> slotNames{
    "Save Game #1", "Save Game #2", "Save Game #3", "Save Game #4",
    "Save Game #5", "Save Game #6", "Save Game #7"};

// Declares the record's controls with their initial states, and the two hidden text boxes
// beside them: the game type number and the copy of the number of bots that ENGAGE writes.
void declareSettingsControls(FormModel& form);

} // namespace fd
