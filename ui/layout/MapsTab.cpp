// Tab "Maps": the installed maps, the map rotation, the picture and details of the clicked map,
// the rotation commands and the map limits.

#include "ui/layout/Tabs.h"
#include "ui/layout/WidgetRow.h"

namespace fd::layout {

namespace {

using enum Kind;
using enum Colour;

// The frames that hold other widgets.
FD_FRAME(framemaps)
FD_FRAME(frameMapLimits)

// clang-format off
constexpr WidgetRow maps[] = {
    {Picture, ctl::picMaps,              noFrame,        "",                    {4050,  450, 2115, 2190}},
    {Label,   "lblMapList",              noFrame,        "Map List",            {1050,  600,  840,  315}, {SystemFont, 9.75}, Bold,           Blue},
    {List,    ctl::List1,                noFrame,        "",                    { 675,  900, 1590, 3375}},
    {Label,   "lblSlectedMaps",          noFrame,        "Selected Maps",       {7725,  600, 1515,  315}, {Verdana, 9},       Bold,           Blue},
    {List,    ctl::List2,                noFrame,        "",                    {7650,  900, 1590, 3375}},
    {Button,  ctl::cmdAdd,               noFrame,        ">>",                  {2850, 1875,  465,  465}, {Verdana, 8.25},    Bold},
    {Label,   "lblAdd",                  noFrame,        "Add",                 {2775, 2400,  690,  315}, {SystemFont, 9.75}, Bold | Centred, Green},
    {Button,  ctl::cmdRemove,            noFrame,        "<<",                  {6675, 1875,  465,  465}, {Verdana, 8.25},    Bold},
    {Label,   "lblRemove",               noFrame,        "Remove",              {6450, 2400,  915,  315}, {SystemFont, 9.75}, Bold | Centred, Red},
    {Label,   "lblTheMapName",           noFrame,        "Map Name:",           {4500, 2775, 1215,  315}, {Verdana, 9.75},    Bold},
    {TextBox, ctl::txtMapName,           noFrame,        "",                    {3675, 3075, 2865,  390}, {SystemFont, 9.75}, Bold},
    {Label,   "lblTheRecomendedPlayers", noFrame,        "Recomended Players:", {3975, 3600, 2415,  315}, {Verdana, 9.75},    Bold},
    {TextBox, ctl::txtMapPlayers,        noFrame,        "",                    {3675, 3900, 2865,  390}, {SystemFont, 9.75}, Bold},
    {Frame,   framemaps,                 noFrame,        "",                    { 150, 4500, 9690,  690}},
    {Button,  ctl::cmdAllFragdockMaps,   framemaps,      "All Holomatch Maps",  { 150,  225, 2190,  315}, {Verdana, 8.25},    Bold},
    {Button,  ctl::cmdAllCTF,            framemaps,      "All CTF Maps",        {2475,  225, 1665,  315}, {Verdana, 8.25},    Bold},
    {Button,  ctl::cmdAllMaps,           framemaps,      "All Maps",            {4275,  225, 1440,  315}, {Verdana, 8.25},    Bold},
    {Button,  ctl::cmdClearMaps,         framemaps,      "Clear All Maps",      {5850,  225, 1590,  315}, {Verdana, 8.25},    Bold},
    {Button,  ctl::cmdRandom,            framemaps,      "Randomize Maps!",     {7575,  225, 1965,  315}, {Verdana, 8.25},    Bold},
    {Frame,   frameMapLimits,            noFrame,        "Map Limits",          {3000, 5250, 4590, 1065}, {SystemFont, 9.75}, Bold,           Red},
    {Label,   "FragLimtDefault",         frameMapLimits, "Frag Limit",          { 150,  300,  840,  240}},
    {TextBox, ctl::txtFragLimit,         frameMapLimits, "",                    { 225,  525,  540,  315}, {Verdana, 8.25},    Bold,           Blue},
    {Label,   "lblTimeLimitDefault",     frameMapLimits, "Time Limit",          {1875,  300,  840,  240}},
    {TextBox, ctl::txtTimeLimit,         frameMapLimits, "",                    {2025,  525,  540,  315}, {Verdana, 8.25},    Bold,           Blue},
    {Label,   "lblCaptureLimitDefault",  frameMapLimits, "Caputre Limit",       {3450,  300,  915,  240}},
    {TextBox, ctl::txtCaptureLimit,      frameMapLimits, "",                    {3600,  525,  615,  315}, {Verdana, 8.25},    Bold,           Blue},
};
// clang-format on

static_assert(wellFormed(maps));

// The names a screen reader gives the inputs that do not show their own name.
constexpr InputName mapsNames[] = {
    captionedBy(ctl::List1, "lblMapList"),
    captionedBy(ctl::List2, "lblSlectedMaps"),
    named(ctl::cmdAdd, "Add map"),
    named(ctl::cmdRemove, "Remove map"),
    captionedBy(ctl::txtMapName, "lblTheMapName"),
    captionedBy(ctl::txtMapPlayers, "lblTheRecomendedPlayers"),
    captionedBy(ctl::txtFragLimit, "FragLimtDefault"),
    captionedBy(ctl::txtTimeLimit, "lblTimeLimitDefault"),
    captionedBy(ctl::txtCaptureLimit, "lblCaptureLimitDefault"),
};

} // namespace

TabLayout mapsTab() {
    return {"Maps", maps, mapsNames};
}

} // namespace fd::layout
