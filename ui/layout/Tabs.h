#pragma once
// The widget tables of the main window's seven tabs, one function per tab, each defined in its
// own file. MainWindowLayout.cpp puts them together in tab order.

#include "ui/layout/WidgetSpec.h"

#include <span>

namespace fd::layout {

std::span<const WidgetSpec> serverTab();
std::span<const WidgetSpec> settingsTab();
std::span<const WidgetSpec> mapsTab();
std::span<const WidgetSpec> botsTab();
std::span<const WidgetSpec> saveLoadTab();
std::span<const WidgetSpec> advancedTab();
std::span<const WidgetSpec> aboutTab();

} // namespace fd::layout
