// Tab "About": credits, fixes, upgrades, known problems and where to send feedback. Only labels,
// all in Comic Sans MS.

#include "ui/layout/Tabs.h"
#include "ui/layout/WidgetRow.h"

namespace fd::layout {

namespace {

using enum Kind;
using enum Colour;

// clang-format off
constexpr WidgetRow about[] = {
    {Label, "lblAboutMore", noFrame,
        "The concept and menu design of this program follow the classic Elite Force server launchers "
        "made by the game's community. FragDocker rebuilds them for Linux as an open project.",
                                                                                           { 600,  600, 9015, 1140}, {ComicSansMS, 9},     Bold},
    {Label, "lblFixes",     noFrame, "Fixes:",                                             {4725, 1650,  690,  315}, {ComicSansMS, 11.25}, Bold,           Blue},
    {Label, "lblUpgrades",  noFrame, "Bots are working. ",                                 {4350, 2025, 1440,  240}, {ComicSansMS, 8.25},  Bold,           Red},
    {Label, "lblfixes2",    noFrame, "Fixed number of players, and bots playing.",         {3375, 2325, 3690,  240}, {ComicSansMS, 8.25},  Bold,           Red},
    {Label, "lblfix2",      noFrame,
        "The program no longer stops when a map's picture is missing from the map_images folder.",
                                                                                           {3075, 2625, 4140,  765}, {ComicSansMS, 8.25},  Bold | Centred, Red},
    {Label, "lblAbout2",    noFrame, "Upgrades:",                                          { 525, 3300, 1065,  315}, {ComicSansMS, 11.25}, Bold,           Blue},
    {Label, "lblAddSearch", noFrame, "Adding Support for Map Searching Program",           { 525, 3675, 3915,  240}, {ComicSansMS, 8.25},  Bold,           Red},
    {Label, "lblProblems",  noFrame, "Current Problems:",                                  {6825, 3300, 2040,  315}, {ComicSansMS, 11.25}, Bold,           Blue},
    {Label, "lblItsABeta",  noFrame, "There is still alot of error checking to do.",       {6825, 3675, 2940,  465}, {ComicSansMS, 8.25},  Bold,           Red},
    {Label, "lblFeedBack",  noFrame, "SEND FEEDBACK PLEASE",                               {3375, 4950, 3765,  465}, {ComicSansMS, 14.25}, Bold},
    {Label, "lblEmail",     noFrame, "FragDocker issue tracker",                           {3900, 5400, 2490,  315}, {ComicSansMS, 9.75},  Bold,           Green},
    {Label, "lblWebPage",   noFrame, "Project: the FragDocker repository",                 {3600, 5700, 3240,  315}, {ComicSansMS, 9.75},  Bold,           Green},
};
// clang-format on

static_assert(wellFormed(about));

} // namespace

TabLayout aboutTab() {
    return {"About", about, {}};
}

} // namespace fd::layout
