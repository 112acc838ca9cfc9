#pragma once
// The main window's seven tabs, one function per tab, each defined in its own file: the tab's
// caption, its widgets and the names of its inputs. MainWindowLayout.cpp puts them together in tab
// order.

#include "ui/layout/WidgetRow.h"

#include <span>

namespace fd::layout {

TabLayout serverTab();
TabLayout settingsTab();
TabLayout mapsTab();
TabLayout botsTab();
TabLayout saveLoadTab();
TabLayout advancedTab();
TabLayout aboutTab();

} // namespace fd::layout
