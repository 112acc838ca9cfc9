#pragma once
// The settings record: every server setting, each held by one control, in the order in which
// the settings store writes them. This table is the one place that lists them; the script
// writer, the store, the initial values and the windows all read it.

#include "core/Controls.h"

#include <QString>

#include <array>

namespace fd {

class FormModel;

enum class FieldKind {
    Text,   // the text of a text box (or of the slot chooser), as typed
    Check,  // a check box: 0 or 1
    Option, // an option button: true when selected
    Flag,   // no control; always stored as false
};

struct Field {
    const char* name;    // the setting's name, also its store column
    const char* control; // the control that holds it (empty for the flag)
    FieldKind kind;
    const char* initial; // text, "0"/"1" for checks, "true"/"false" for options
    int maxLength;       // most characters that can be typed; 0 for no limit
    const char* group;   // an option's group
};

// The public master server that the game's community runs today.
inline constexpr const char* defaultMasterServer = "master.stvef.org";

// clang-format off
inline constexpr std::array<Field, 71> settingsRecord{{
    {"SaveFile",                   "cmboSaveGame",                  FieldKind::Text,   "Save Game #1", 0, ""},
    {"SaveFileDescription",        "txtSaveGameDescription",        FieldKind::Text,   "", 0, ""},
    {"ServerName",                 "txtServerName",                 FieldKind::Text,   "Made By FragDocker", 0, ""},
    {"ServerQuote",                "txtServerQuote",                FieldKind::Text,   "Today Is a Good Day To Die!", 0, ""},
    {"Dedicated",                  "optionDedicated",               FieldKind::Option, "true", 0, "serverType"},
    {"NonDedicated",               "optionNonDedicated",            FieldKind::Option, "false", 0, "serverType"},
    {"PureServer",                 "chkPureServer",                 FieldKind::Check,  "0", 0, ""},
    {"DeathMatch",                 "optionDeathmatch",              FieldKind::Option, "true", 0, "gameType"},
    {"TeamDeathMatch",             "optionTeamDeathMatch",          FieldKind::Option, "false", 0, "gameType"},
    {"CaptureTheFlag",             "optionCTF",                     FieldKind::Option, "false", 0, "gameType"},
    {"Assilmilation",              "chkAssimilation",               FieldKind::Check,  "0", 0, ""},
    {"Specialties",                "chkSpecialties",                FieldKind::Check,  "0", 0, ""},
    {"Disintergration",            "chkDisintegration",             FieldKind::Check,  "0", 0, ""},
    {"Elimination",                "chkElimination",                FieldKind::Check,  "0", 0, ""},
    {"ActionHero",                 "chkActionHero",                 FieldKind::Check,  "0", 0, ""},
    {"ConsolePassword",            "txtConsolePassword",            FieldKind::Text,   "", 0, ""},
    {"PrivateClientPassword",      "txtPrivateClientPassword",      FieldKind::Text,   "", 0, ""},
    {"MaxPlayers",                 "txtMaxPlayers",                 FieldKind::Text,   "8", 2, ""},
    {"MinimumPlayers",             "txtMinPlayers",                 FieldKind::Text,   "0", 2, ""},
    {"SecondsOfInvulnerability",   "txtSecondsOfInvulnerability",   FieldKind::Text,   "5", 2, ""},
    {"ForcePlayerRespawn",         "chkForcePlayerRespawn",         FieldKind::Check,  "0", 0, ""},
    {"ForcePlayerRespawnSeconds",  "txtForcePlayerRespawnSeconds",  FieldKind::Text,   "1", 2, ""},
    {"AllowPlayerVoting",          "chkAllowPlayerVoting",          FieldKind::Check,  "1", 0, ""},
    {"KickInactivePlayers",        "chkKickInactivePlayers",        FieldKind::Check,  "0", 0, ""},
    {"KickInactivePlayersSeconds", "txtKickInactivePlayersSeconds", FieldKind::Text,   "60", 2, ""},
    {"AllowServerCheats",          "chkAllowServerCheats",          FieldKind::Check,  "0", 0, ""},
    {"Warmup",                     "chkWarmup",                     FieldKind::Check,  "1", 0, ""},
    {"WarmupSeconds",              "txtWarmupSeconds",              FieldKind::Text,   "0", 2, ""},
    {"WeaponEnhancerDamage",       "txtWeaponEnhancerDamage",       FieldKind::Text,   "3", 2, ""},
    {"WeaponDamageKnockback",      "txtWeaponDamageKnockback",      FieldKind::Text,   "500", 3, ""},
    {"AdaptiveItemRespawn",        "chkAdaptiveItemRespawn",        FieldKind::Check,  "0", 0, ""},
    {"RespawnItemsSeconds",        "txtRespawnItemsSeconds",        FieldKind::Text,   "5", 2, ""},
    {"FriendlyFire",               "chkFriendlyFire",               FieldKind::Check,  "0", 0, ""},
    {"AutoJoinPlayers",            "chkAutoJoin",                   FieldKind::Check,  "0", 0, ""},
    {"ForceTeamBalance",           "chkForceTeamBalance",           FieldKind::Check,  "1", 0, ""},
    {"SetGameSpeed",               "txtSetGameSpeed",               FieldKind::Text,   "325", 3, ""},
    {"SetGameGravity",             "txtSetGameGravity",             FieldKind::Text,   "800", 3, ""},
    {"IntermissionTime",           "txtIntermissionTime",           FieldKind::Text,   "10", 2, ""},
    {"FallingDamage",              "chkFallingDamage",              FieldKind::Check,  "1", 0, ""},
    {"HoloDeckIntro",              "chkHolodeckIntro",              FieldKind::Check,  "0", 0, ""},
    {"TurnBotsOn",                 "chkTurnBotsOn",                 FieldKind::Check,  "1", 0, ""},
    {"TurnBotChattingOff",         "chkTurnBotChattingOff",         FieldKind::Check,  "0", 0, ""},
    {"AllowBotRocketJump",         "chkAllowBotRocketJump",         FieldKind::Check,  "0", 0, ""},
    {"BotSkillEnsign",             "optionBotSkillEnsign",          FieldKind::Option, "true", 0, "botSkill"},
    {"BotSkillCadet",              "optionBotSkillCadet",           FieldKind::Option, "false", 0, "botSkill"},
    {"BotSkillLieutenant",         "optionBotSkillLieutenant",      FieldKind::Option, "false", 0, "botSkill"},
    {"BotSkillCommander",          "optionBotSkillCommander",       FieldKind::Option, "false", 0, "botSkill"},
    {"BotSkillCaptain",            "optionBotSkillCaptain",         FieldKind::Option, "false", 0, "botSkill"},
    {"ClientMaxPing",              "txtClientMaxPing",              FieldKind::Text,   "500", 4, ""},
    {"ClientMinimumPing",          "txtClientMinimumPing",          FieldKind::Text,   "0", 3, ""},
    {"ServerFloodProtection",      "chkServerFloodProtection",      FieldKind::Check,  "1", 0, ""},
    {"SetNetport",                 "chkSetNetport",                 FieldKind::Check,  "0", 0, ""},
    {"SetNetportNumber",           "txtSetNetportNumber",           FieldKind::Text,   "27660", 5, ""},
    {"SetNetIP",                   "chkSetNetIP",                   FieldKind::Check,  "0", 0, ""},
    {"SetNetIPNumber",             "txtSetNetIPNumber",             FieldKind::Text,   "", 15, ""},
    {"CreateServerLog",            "chkCreateServerLog",            FieldKind::Check,  "0", 0, ""},
    {"CreateServerLogPath",        "txtCreateServerLogPath",        FieldKind::Text,   "", 0, ""},
    {"ChangeReservedMemory",       "chkChangeReservedMemory",       FieldKind::Check,  "0", 0, ""},
    {"ChangeReservedMemoryAmount", "txtChangeReservedMemoryAmount", FieldKind::Text,   "64", 3, ""},
    {"AllowClientsToDownload",     "chkAllowClientsToDownload",     FieldKind::Check,  "1", 0, ""},
    {"MaxPacketsToDownload",       "txtMaxPacketsToDownload",       FieldKind::Text,   "60", 3, ""},
    {"WriteMaxRate",               "",                              FieldKind::Flag,   "false", 0, ""},
    {"MasterServer2",              "txtMasterServer2",              FieldKind::Text,   defaultMasterServer, 0, ""},
    {"MasterServer3",              "txtMasterServer3",              FieldKind::Text,   " ", 0, ""},
    {"MasterServer4",              "txtMasterServer4",              FieldKind::Text,   " ", 0, ""},
    {"MasterServer5",              "txtMasterServer5",              FieldKind::Text,   " ", 0, ""},
    {"GamePath",                   "frmGamePath.txtGamePath",       FieldKind::Text,   "", 0, ""},
    {"NumberOfBotsToPlay",         "txtNumberOfBotsToPlay",         FieldKind::Text,   "0", 2, ""},
    {"FragLimit",                  "txtFragLimit",                  FieldKind::Text,   "10", 2, ""},
    {"TimeLimit",                  "txtTimeLimit",                  FieldKind::Text,   "25", 2, ""},
    {"CaptureLimit",               "txtCaptureLimit",               FieldKind::Text,   "0", 2, ""},
}};
// clang-format on

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
