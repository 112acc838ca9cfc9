// Tab "Save/Load": the slot chooser, the slot's description and the Load and Save commands.

#include "ui/layout/Tabs.h"
#include "ui/layout/WidgetRow.h"

namespace fd::layout {

namespace {

using enum Kind;
using enum Colour;

// clang-format off
constexpr WidgetRow saveLoad[] = {
    {Label,   "lblSaveFile",               noFrame, "Save Game File:", {4200,  900, 1815, 390}, {SystemFont, 9.75}, Bold, Blue},
    {Combo,   ctl::cmboSaveGame,           noFrame, "",                {2325, 1275, 5040, 315}},
    {Label,   "lblDescription",            noFrame, "Description",     {4425, 1800, 1440, 315}, {SystemFont, 9.75}, Bold, Blue},
    {TextBox, ctl::txtSaveGameDescription, noFrame, "",                {1050, 2100, 8490, 315}},
    {Button,  ctl::cmdLoad,                noFrame, "Load",            {2700, 2625, 1740, 390}, {SystemFont, 9.75}, Bold},
    {Button,  ctl::cmdSave,                noFrame, "Save",            {5550, 2625, 1740, 390}, {SystemFont, 9.75}, Bold},
};
// clang-format on

static_assert(wellFormed(saveLoad));

// The names a screen reader gives the inputs that do not show their own name.
constexpr InputName saveLoadNames[] = {
    captionedBy(ctl::cmboSaveGame, "lblSaveFile"),
    captionedBy(ctl::txtSaveGameDescription, "lblDescription"),
};

} // namespace

TabLayout saveLoadTab() {
    return {"Save/Load", saveLoad, saveLoadNames};
}

} // namespace fd::layout
