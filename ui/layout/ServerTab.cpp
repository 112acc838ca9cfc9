// Tab "Server": server name and message, server kind, game type, game modifications and the
// two passwords.

#include "ui/layout/Tabs.h"
#include "ui/layout/WidgetRow.h"

namespace fd::layout {

namespace {

using enum Kind;
using enum Colour;

// The frames that hold other widgets.
FD_FRAME(frameServerName)
FD_FRAME(frameServerQuote)
FD_FRAME(frameServerType)
FD_FRAME(frameBlank)
FD_FRAME(frmExtraSettings)
FD_FRAME(framePasswords)

// clang-format off
constexpr WidgetRow server[] = {
    {Frame,    frameServerName,               noFrame,          "Server Name:",            { 225, 1275, 3375,  930}, {Verdana, 9},    Bold, Blue},
    {TextBox,  ctl::txtServerName,            frameServerName,  "",                        {  75,  375, 3135,  285}},
    {Frame,    frameServerQuote,              noFrame,          "Server Quote:",           { 225, 2625, 3390,  915}, {Verdana, 9},    Bold, Blue},
    {TextBox,  ctl::txtServerQuote,           frameServerQuote, "",                        {  75,  375, 3165,  285}},
    {Frame,    frameServerType,               noFrame,          "Server Type:",            {3675,  450, 2490, 4740}, {Verdana, 9},    Bold, Blue},
    {Option,   ctl::optionDedicated,          frameServerType,  "Dedicated",               { 300,  300, 1365,  315}, {Verdana, 9},    Bold},
    {Option,   ctl::optionNonDedicated,       frameServerType,  "Non-Dedicated",           { 300,  525, 1815,  465}, {Verdana, 9},    Bold},
    {CheckBox, ctl::chkPureServer,            frameServerType,  "Pure Server?",            { 300,  900, 1740,  390}, {Verdana, 8.25}, Bold},
    {Frame,    frameBlank,                    frameServerType,  "",                        { 150, 1350, 2265, 1215}},
    {Option,   ctl::optionDeathmatch,         frameBlank,       "Free For All",            {  75,  225, 2040,  240}, {Verdana, 8.25}, Bold},
    {Option,   ctl::optionTeamDeathMatch,     frameBlank,       "Team Death Match",        {  75,  450, 2115,  345}, {Verdana, 8.25}, Bold},
    {Option,   ctl::optionCTF,                frameBlank,       "Capture The Flag",        {  75,  675, 2040,  465}, {Verdana, 8.25}, Bold},
    {TextBox,  ctl::txtGameType,              frameBlank,       "",                        { 900, 1125,  390,  315}},
    {Frame,    frmExtraSettings,              frameServerType,  "",                        { 225, 2625, 2040, 1890}},
    {CheckBox, ctl::chkAssimilation,          frmExtraSettings, "Assimilation",            { 150,  225, 1740,  315}, {Verdana, 9},    Bold},
    {CheckBox, ctl::chkSpecialties,           frmExtraSettings, "Specialties",             { 150,  525, 1740,  315}, {Verdana, 9},    Bold},
    {CheckBox, ctl::chkDisintegration,        frmExtraSettings, "Disintegration",          { 150,  825, 1815,  315}, {Verdana, 9},    Bold},
    {CheckBox, ctl::chkElimination,           frmExtraSettings, "Elimination",             { 150, 1125, 1740,  315}, {Verdana, 9},    Bold},
    {CheckBox, ctl::chkActionHero,            frmExtraSettings, "Action Hero",             { 150, 1425, 1740,  315}, {Verdana, 9},    Bold},
    {Frame,    framePasswords,                noFrame,          "Passwords:",              {6225, 1200, 3390, 2340}, {Verdana, 9},    Bold, Blue},
    {Label,    "lblConsolePassword",          framePasswords,   "Console Password",        { 900,  300, 1890,  315}, {Verdana, 8.25}, Bold},
    {TextBox,  ctl::txtConsolePassword,       framePasswords,   "",                        { 375,  525, 2715,  285}},
    {Label,    "lblPrivate",                  framePasswords,   "Private Client Password", {1050, 1200, 1365,  240}, {Verdana, 8.25}, Bold},
    {TextBox,  ctl::txtPrivateClientPassword, framePasswords,   "",                        { 375, 1425, 2715,  285}},
    {Label,    "lblNone",                     framePasswords,   "Leaving These Boxes Blank Will Disable These Options.",
                                                                                        { 300, 1800, 2865,  465}, {},              Plain, Red},
};
// clang-format on

static_assert(wellFormed(server));

// The names a screen reader gives the inputs that do not show their own name.
constexpr InputName serverNames[] = {
    named(ctl::txtServerName, "Server Name"),
    named(ctl::txtServerQuote, "Server Quote"),
    captionedBy(ctl::txtConsolePassword, "lblConsolePassword"),
    captionedBy(ctl::txtPrivateClientPassword, "lblPrivate"),
};

} // namespace

TabLayout serverTab() {
    return {"Server", server, serverNames};
}

} // namespace fd::layout
