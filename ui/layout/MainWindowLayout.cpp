// The main window: the banner and the ENGAGE button that sit on the window itself, and the
// seven tabs of the tab control. The tab control itself is made by the window builder.

#include "ui/layout/Tabs.h"
#include "ui/layout/WidgetRow.h"

namespace fd::layout {

namespace {

using enum Kind;

// clang-format off
constexpr WidgetRow window[] = {
    {Picture, "Picture1",     noFrame, "",       {1500,  -75, 7440, 1290}},
    {Button,  ctl::cmdEngage, noFrame, "ENGAGE", {4050, 7875, 2640,  495}, {ComicSansMS, 20.25}},
};
// clang-format on

static_assert(wellFormed(window));

} // namespace

std::span<const WidgetRow> mainWindow() {
    return window;
}

std::span<const TabLayout> mainWindowTabs() {
    // The tab tables live in other translation units, so the list is built on first use.
    static const TabLayout tabs[] = {serverTab(),   settingsTab(), mapsTab(), botsTab(),
                                     saveLoadTab(), advancedTab(), aboutTab()};
    return tabs;
}

} // namespace fd::layout
