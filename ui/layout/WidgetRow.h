#pragma once
// A window's layout as data: one row per widget, with its name (the control's name), kind,
// container, caption, place and look. Places are in twips (15 to a pixel), as left, top,
// width, height relative to the container; for a widget lying on a tab, relative to the whole
// tab control, its row of tabs included.

#include <span>

namespace fd::layout {

enum class Kind { Frame, Label, TextBox, CheckBox, Option, List, Combo, Picture, Button };

enum class Colour { Default, Red, Blue, Green, Grey, LightGrey };

enum Style : unsigned { Plain = 0, Bold = 1, Italic = 2, Centred = 4 };

struct Font {
    const char* family = nullptr; // null: the window's default font
    double points = 0;
};

struct Rect {
    int left, top, width, height;
};

struct WidgetRow {
    Kind kind;
    const char* name;
    const char* container; // the name of the frame that holds it; "" for the tab or window
    const char* caption;   // frames, labels, check boxes, options, buttons; "" for none
    Rect place;
    Font font{};
    unsigned style = Plain;
    Colour colour = Colour::Default;
    const char* tip = ""; // tooltip
};

// Font families as the layout names them; the program maps them to installed fonts.
inline constexpr const char* Verdana = "Verdana";
inline constexpr const char* ComicSansMS = "Comic Sans MS";
inline constexpr const char* MSSansSerif = "MS Sans Serif";
inline constexpr const char* SystemFont = "System";
inline constexpr const char* LucidaSansUnicode = "Lucida Sans Unicode";
inline constexpr const char* CourierNew = "Courier New";

struct TabLayout {
    const char* caption;
    std::span<const WidgetRow> widgets;
};

// The main window: the controls on the window itself, and the seven tabs in order.
std::span<const WidgetRow> mainWindow();
std::span<const TabLayout> mainWindowTabs();

// The three small windows.
std::span<const WidgetRow> gamePathDialogRows();
std::span<const WidgetRow> errorMapNoticeRows();
std::span<const WidgetRow> runningNoticeRows();

} // namespace fd::layout
