#pragma once
// The widget tables of the main window's seven tabs, one function per tab, each defined in its
// own file. MainWindowLayout.cpp puts them together in tab order.

#include "ui/layout/WidgetRow.h"

#include <span>

namespace fd::layout {

std::span<const WidgetRow> serverTab();
std::span<const WidgetRow> settingsTab();
std::span<const WidgetRow> mapsTab();
std::span<const WidgetRow> botsTab();
std::span<const WidgetRow> saveLoadTab();
std::span<const WidgetRow> advancedTab();
std::span<const WidgetRow> aboutTab();

} // namespace fd::layout
