// Tab "Bots": bot options, bot skill, the bot catalogue and the bot roster.

#include "ui/layout/Tabs.h"
#include "ui/layout/WidgetRow.h"

namespace fd::layout {

namespace {

using enum Kind;
using enum Colour;

// The frames that hold other widgets.
FD_FRAME(frmBotChat)
FD_FRAME(frameBotSkill)

// clang-format off
constexpr WidgetRow bots[] = {
    {Frame,    frmBotChat,                    noFrame,       "Bot Options",                                 { 600,  825, 4215, 1665}, {Verdana, 9},           Bold},
    {CheckBox, ctl::chkTurnBotsOn,            frmBotChat,    "Turn Bots On",                                { 150,  300, 1365,  315}},
    {CheckBox, ctl::chkTurnBotChattingOff,    frmBotChat,    "Turn Bot Chatting Off? (Checking means YES)", { 150,  600, 3840,  390}},
    {CheckBox, ctl::chkAllowBotRocketJump,    frmBotChat,    "Allow Bot Rocket Jumps",                      { 150,  975, 2115,  315}},
    {TextBox,  ctl::txtNumberOfBotsToPlay,    frmBotChat,    "",                                            { 150, 1275,  390,  285}},
    {Label,    "lblNumberBots",               frmBotChat,    "Number Of Bots to Play",                      { 600, 1350, 2565,  240}},
    {TextBox,  ctl::txtMoreBots,              frmBotChat,    "",                                            {2625, 1350,  315,  285}},
    {Frame,    frameBotSkill,                 noFrame,       "Bot Skill Level",                             { 600, 2550, 4215, 1890}, {Verdana, 9},           Bold},
    {Option,   ctl::optionBotSkillCadet,      frameBotSkill, "Cadet",                                       { 150,  300, 3615,  315}, {LucidaSansUnicode, 9}},
    {Option,   ctl::optionBotSkillEnsign,     frameBotSkill, "Ensign",                                      { 150,  600, 3615,  315}, {LucidaSansUnicode, 9}},
    {Option,   ctl::optionBotSkillLieutenant, frameBotSkill, "Lieutenant",                                  { 150,  900, 3615,  315}, {LucidaSansUnicode, 9}},
    {Option,   ctl::optionBotSkillCommander,  frameBotSkill, "Commander",                                   { 150, 1200, 3615,  315}, {LucidaSansUnicode, 9}},
    {Option,   ctl::optionBotSkillCaptain,    frameBotSkill, "Captain",                                     { 150, 1500, 3615,  315}, {LucidaSansUnicode, 9}},
    {List,     ctl::list3,                    noFrame,       "",                                            {4875,  825, 2115, 3570}},
    {Button,   ctl::cmdAddBot,                noFrame,       ">>",                                          {7125, 1125,  390,  390}, {Verdana, 8.25},        Bold},
    {Button,   ctl::cmdRemoveBot,             noFrame,       "<<",                                          {7125, 3675,  390,  390}, {Verdana, 8.25},        Bold},
    {List,     ctl::list4,                    noFrame,       "",                                            {7575,  825, 2115, 3570}},
    {Button,   ctl::cmdClearBots,             noFrame,       "Clear Bot List",                              {8025, 4500, 1365,  390}, {MSSansSerif, 8.25},    Bold},
    {Label,    "lblText",                     noFrame,       "Bots are working, but if not enough Bots are selected then bots after those selected will be random.",
                                                                                                         {2700, 5100, 5415,  540}, {ComicSansMS, 9},       Bold | Centred},
    {Label,    "lblAddBotslbl",               noFrame,       "SEE How_to_add_bots.txt to add bots to the list.",
                                                                                                         {3075, 5700, 4590,  315}, {ComicSansMS, 9},       Bold | Centred, Blue},
};
// clang-format on

static_assert(wellFormed(bots));

// The names a screen reader gives the inputs that do not show their own name.
constexpr InputName botsNames[] = {
    captionedBy(ctl::txtNumberOfBotsToPlay, "lblNumberBots"),
    named(ctl::list3, "Bot List"),
    named(ctl::list4, "Selected Bots"),
    named(ctl::cmdAddBot, "Add bot"),
    named(ctl::cmdRemoveBot, "Remove bot"),
};

} // namespace

TabLayout botsTab() {
    return {"Bots", bots, botsNames};
}

} // namespace fd::layout
