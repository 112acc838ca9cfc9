// Tab "Settings": player, item and weapon, team and general game settings.

#include "ui/layout/Tabs.h"
#include "ui/layout/WidgetRow.h"

namespace fd::layout {

namespace {

using enum Kind;
using enum Colour;

// The frames that hold other widgets.
FD_FRAME(framePlayerSettings)
FD_FRAME(frameItemWeapon)
FD_FRAME(frameTeamSettings)
FD_FRAME(frameGeneral)

// clang-format off
constexpr WidgetRow settings[] = {
    {Frame,    framePlayerSettings,                noFrame,             "Player Settings",                          { 300,  600, 4290, 3315}, {Verdana, 9}, Bold},
    {TextBox,  ctl::txtMaxPlayers,                 framePlayerSettings, "",                                         { 375,  300,  390,  240}},
    {Label,    "lblMaxPlayers",                    framePlayerSettings, "Max Players",                              { 900,  375,  915,  240}, {}, Plain, Default,
        "The maximum number of players the server will allow"},
    {TextBox,  ctl::txtMinPlayers,                 framePlayerSettings, "",                                         { 375,  675,  390,  240}},
    {Label,    "lblMinPlayers",                    framePlayerSettings, "Minimum Players",                          { 900,  750, 1365,  240}, {}, Plain, Default,
        "Minimum players server must have before starting a match."},
    {TextBox,  ctl::txtSecondsOfInvulnerability,   framePlayerSettings, "",                                         { 375, 1050,  390,  255}},
    {Label,    "lblSecondsInvulnerability",        framePlayerSettings, "Seconds of Invulnerability After Respawn", { 900, 1050, 2940,  240}, {}, Plain, Default,
        "How long a player is invincable after respawn."},
    {CheckBox, ctl::chkForcePlayerRespawn,         framePlayerSettings, "Force player respawn after",               { 375, 1650, 2190,  240}},
    {TextBox,  ctl::txtForcePlayerRespawnSeconds,  framePlayerSettings, "",                                         {2550, 1650,  465,  240}},
    {Label,    "lblseconds",                       framePlayerSettings, "seconds.",                                 {3075, 1650,  690,  240}},
    {CheckBox, ctl::chkAllowPlayerVoting,          framePlayerSettings, "Allow Player Voting",                      { 375, 1950, 3465,  240}},
    {CheckBox, ctl::chkKickInactivePlayers,        framePlayerSettings, "Kick inactive players after ",             { 375, 2250, 2115,  240}},
    {TextBox,  ctl::txtKickInactivePlayersSeconds, framePlayerSettings, "",                                         {2550, 2250,  465,  240}},
    {Label,    "lblseconds",                       framePlayerSettings, "seconds.",                                 {3075, 2250,  690,  240}},
    {CheckBox, ctl::chkAllowServerCheats,          framePlayerSettings, "Allow Server Cheats?",                     { 375, 2550, 2115,  240}},
    {CheckBox, ctl::chkWarmup,                     framePlayerSettings, "Warmup",                                   { 375, 2850,  915,  240}},
    {TextBox,  ctl::txtWarmupSeconds,              framePlayerSettings, "",                                         {1275, 2850,  540,  225}},
    {Label,    "lblseconds",                       framePlayerSettings, "seconds.",                                 {1875, 2850,  690,  240}},

    {Frame,    frameItemWeapon,                    noFrame,             "Item/Weapon",                              {5775,  600, 3765, 1890}, {Verdana, 9}, Bold},
    {TextBox,  ctl::txtWeaponEnhancerDamage,       frameItemWeapon,     "",                                         { 240,  360,  495,  255}},
    {Label,    "lblWeaponEnhancerDamage",          frameItemWeapon,     "Weapon Enhancer Damage",                   { 900,  375, 2040,  240}, {}, Plain, Default,
        "Quantum Weapon Enhancer Damage Multiplier"},
    {TextBox,  ctl::txtWeaponDamageKnockback,      frameItemWeapon,     "",                                         { 240,  750,  555,  285}},
    {Label,    "lblWeaponKnockback",               frameItemWeapon,     "Weapon Damage Knockback",                  { 900,  750, 2415,  315}, {}, Plain, Default,
        "The amount of kickback by weapons"},
    {CheckBox, ctl::chkAdaptiveItemRespawn,        frameItemWeapon,     "   Adaptive Item Respawn?",                { 225, 1125, 2790,  240}},
    {Label,    "lblseconds",                       frameItemWeapon,     "seconds.",                                 {2250, 1200,  540,  165}},
    {Label,    "lblRespawn",                       frameItemWeapon,     "Respawn weapons every",                    { 225, 1500, 1890,  315}},
    {TextBox,  ctl::txtRespawnItemsSeconds,        frameItemWeapon,     "",                                         {2100, 1500,  540,  240}},
    {Label,    "lblseconds",                       frameItemWeapon,     "seconds.",                                 {2700, 1500,  690,  240}},

    {Frame,    frameTeamSettings,                  noFrame,             "Team Settings",                            {5775, 2550, 3765, 1365}, {Verdana, 9}, Bold},
    {CheckBox, ctl::chkFriendlyFire,               frameTeamSettings,   "Friendly Fire",                            { 150,  300, 1740,  240}},
    {CheckBox, ctl::chkAutoJoin,                   frameTeamSettings,   "Auto-Join Players to Teams",               { 150,  600, 2265,  315}},
    {CheckBox, ctl::chkForceTeamBalance,           frameTeamSettings,   "Force Team Balance",                       { 150,  975, 1890,  240}},

    {Frame,    frameGeneral,                       noFrame,             "General",                                  { 300, 4050, 9240, 1890}, {Verdana, 9}, Bold},
    {TextBox,  ctl::txtSetGameSpeed,               frameGeneral,        "",                                         { 150,  375,  765,  315}},
    {Label,    "lblSetGameSpeed",                  frameGeneral,        "Set Game Speed",                           { 975,  450, 1365,  240}},
    {CheckBox, ctl::chkFallingDamage,              frameGeneral,        "Falling Damage",                           {4200,  450, 1740,  240}},
    {TextBox,  ctl::txtSetGameGravity,             frameGeneral,        "",                                         { 150,  825,  765,  315}},
    {Label,    "lblSetGameGravity",                frameGeneral,        "Set Game Gravity",                         { 975,  900, 1365,  315}},
    {CheckBox, ctl::chkHolodeckIntro,              frameGeneral,        "Holo-Deck Intro?",                         {4200,  825, 1740,  240}, {}, Plain, Default,
        "Leaving This Unchecked Will Leave Holodeck Intro Off"},
    {TextBox,  ctl::txtIntermissionTime,           frameGeneral,        "",                                         { 150, 1275,  765,  315}},
    {Label,    "lblIntermissionTime",              frameGeneral,        "Intermission Time (seconds)",              { 975, 1350, 2115,  315}},
};
// clang-format on

static_assert(wellFormed(settings));

// The names a screen reader gives the inputs that do not show their own name.
constexpr InputName settingsNames[] = {
    captionedBy(ctl::txtMaxPlayers, "lblMaxPlayers"),
    captionedBy(ctl::txtMinPlayers, "lblMinPlayers"),
    captionedBy(ctl::txtSecondsOfInvulnerability, "lblSecondsInvulnerability"),
    named(ctl::txtForcePlayerRespawnSeconds, "Force player respawn after seconds"),
    named(ctl::txtKickInactivePlayersSeconds, "Kick inactive players after seconds"),
    named(ctl::txtWarmupSeconds, "Warmup seconds"),
    captionedBy(ctl::txtWeaponEnhancerDamage, "lblWeaponEnhancerDamage"),
    captionedBy(ctl::txtWeaponDamageKnockback, "lblWeaponKnockback"),
    captionedBy(ctl::txtRespawnItemsSeconds, "lblRespawn"),
    captionedBy(ctl::txtSetGameSpeed, "lblSetGameSpeed"),
    captionedBy(ctl::txtSetGameGravity, "lblSetGameGravity"),
    captionedBy(ctl::txtIntermissionTime, "lblIntermissionTime"),
};

} // namespace

TabLayout settingsTab() {
    return {"Settings", settings, settingsNames};
}

} // namespace fd::layout
