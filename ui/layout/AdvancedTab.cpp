// Tab "Advanced": server limits, network, master servers, the server log and the game folder.

#include "ui/layout/Tabs.h"
#include "ui/layout/WidgetRow.h"

namespace fd::layout {

namespace {

using enum Kind;
using enum Colour;

// The frames that hold other widgets.
FD_FRAME(frameAdvanceSettings)

// clang-format off
constexpr WidgetRow advanced[] = {
    {Label,    "lblServerSettings",                noFrame,              "Warning: Don't Screw With This Unless You Know What Your Doing!!!",
                                                                                                                 { 600,  375, 8865,  390}, {ComicSansMS, 12.75}, Bold, Red},
    {Frame,    frameAdvanceSettings,               noFrame,              "Advanced Server Settings",                { 300, 1050, 9390, 4590}, {SystemFont, 9.75},   Bold, Blue},
    {Label,    "lblReservedMegs",                  frameAdvanceSettings, "Reserved Megs For Server",                {3750,  300, 1965,  240}},
    {Label,    "lblAllowDownload",                 frameAdvanceSettings, "Allow Clients to Download?",              {6975,  300, 1965,  240}},
    {TextBox,  ctl::txtClientMaxPing,              frameAdvanceSettings, "",                                        { 150,  375,  540,  315}},
    {Label,    "lblMaxPing",                       frameAdvanceSettings, "Client Maximum Ping.",                    { 750,  450, 1515,  240}},
    // The leading spaces leave room for the text box that lies over the start of the caption.
    {CheckBox, ctl::chkChangeReservedMemory,       frameAdvanceSettings, "                 Change Reserved Memory", {3075,  600, 3015,  465}},
    {TextBox,  ctl::txtChangeReservedMemoryAmount, frameAdvanceSettings, "",                                        {3375,  600,  615,  315}},
    {CheckBox, ctl::chkAllowClientsToDownload,     frameAdvanceSettings, "                Max Packets",             {6975,  675, 1965,  315}},
    {TextBox,  ctl::txtMaxPacketsToDownload,       frameAdvanceSettings, "",                                        {7275,  600,  615,  315}},
    {TextBox,  ctl::txtClientMinimumPing,          frameAdvanceSettings, "",                                        { 150,  750,  540,  315}},
    {Label,    "lblClientMinimumPing",             frameAdvanceSettings, "Client Minimum Ping.",                    { 750,  825, 1515,  240}},
    {Label,    "lblServer2",                       frameAdvanceSettings, "Server #2",                               { 150, 1350,  765,  240}},
    {TextBox,  ctl::txtMasterServer2,              frameAdvanceSettings, "",                                        { 975, 1275, 2790,  315}, {},                   Plain, Grey},
    {CheckBox, ctl::chkServerFloodProtection,      frameAdvanceSettings, "Server Flood Protection on?",             {3900, 1275, 2790,  315}},
    {Label,    "lblServer3",                       frameAdvanceSettings, "Server #3",                               { 150, 1725,  765,  240}},
    {TextBox,  ctl::txtMasterServer3,              frameAdvanceSettings, "",                                        { 975, 1650, 2790,  315}},
    {CheckBox, ctl::chkSetNetport,                 frameAdvanceSettings, "Set Netport?",                            {3900, 1650, 1290,  315}},
    {TextBox,  ctl::txtSetNetportNumber,           frameAdvanceSettings, "",                                        {6075, 1650,  915,  315}},
    {Label,    "lblServer4",                       frameAdvanceSettings, "Server #4",                               { 150, 2100,  765,  240}},
    {TextBox,  ctl::txtMasterServer4,              frameAdvanceSettings, "",                                        { 975, 2025, 2790,  315}},
    {CheckBox, ctl::chkSetNetIP,                   frameAdvanceSettings, "Set Net IP?",                             {3900, 2025, 1140,  390}},
    {TextBox,  ctl::txtSetNetIPNumber,             frameAdvanceSettings, "",                                        {6075, 2025, 1815,  315}},
    {Label,    "lblServer5",                       frameAdvanceSettings, "Server #5",                               { 150, 2475,  765,  240}},
    {TextBox,  ctl::txtMasterServer5,              frameAdvanceSettings, "",                                        { 975, 2400, 2790,  315}},
    {CheckBox, ctl::chkCreateServerLog,            frameAdvanceSettings, "Create A Server Log File?",               {3900, 2475, 2265,  315}},
    {TextBox,  ctl::txtCreateServerLogPath,        frameAdvanceSettings, "",                                        {6075, 2400, 2340,  315}},
    {Label,    "lblCurrentGamePath",               frameAdvanceSettings, "Current Game Folder Path:",               { 150, 3150, 2790,  315}, {MSSansSerif, 9.75},  Bold},
    // On the tab itself, drawn in front of the lower part of the frame.
    {TextBox,  ctl::txtGamePath,                   noFrame,              "",                                        {3300, 3900, 4140,  315}},
    {Label,    "lblMoreTxt",                       frameAdvanceSettings, "This will allow you to change the path where the executable file is located.",
                                                                                                                 {3075, 3975, 4140,  390}, {Verdana, 8.25},      Italic | Centred, Red},
    // On the tab itself, like txtGamePath.
    {Button,   ctl::cmdRefindGamePatch,            noFrame,              "Find Game Path",                          {4425, 4350, 2190,  390}, {SystemFont, 9.75},   Bold},
};
// clang-format on

static_assert(wellFormed(advanced));

// The names a screen reader gives the inputs that do not show their own name.
constexpr InputName advancedNames[] = {
    captionedBy(ctl::txtClientMaxPing, "lblMaxPing"),
    captionedBy(ctl::txtChangeReservedMemoryAmount, "lblReservedMegs"),
    named(ctl::txtMaxPacketsToDownload, "Max Packets To Download"),
    captionedBy(ctl::txtClientMinimumPing, "lblClientMinimumPing"),
    captionedBy(ctl::txtMasterServer2, "lblServer2"),
    captionedBy(ctl::txtMasterServer3, "lblServer3"),
    captionedBy(ctl::txtMasterServer4, "lblServer4"),
    captionedBy(ctl::txtMasterServer5, "lblServer5"),
    named(ctl::txtSetNetportNumber, "Netport"),
    named(ctl::txtSetNetIPNumber, "Net IP"),
    named(ctl::txtCreateServerLogPath, "Server Log File"),
    captionedBy(ctl::txtGamePath, "lblCurrentGamePath"),
};

} // namespace

TabLayout advancedTab() {
    return {"Advanced", advanced, advancedNames};
}

} // namespace fd::layout
