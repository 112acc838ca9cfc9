#pragma once
// A window's layout as data: one row per widget, with its kind, name, container, caption, place
// and look. A widget that the program reads or sets is named by its control's id, so a name that
// is not a declared control does not compile; a frame is named by a frame id of its table's file
// (FD_FRAME), and the rows it holds name it by that id, so a misspelt container does not compile
// either; labels and the banner have names of their own. Places are in twips (15 to a pixel), as
// left, top, width, height relative to the container; for a widget lying on a tab, relative to the
// whole tab control, its row of tabs included.

#include "core/Controls.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

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

// A frame that holds other widgets. It is made only from a name typed in code (FD_FRAME), never
// from a string in a row.
struct FrameName {
    const char* text;
    explicit constexpr FrameName(const char* name) : text(name) {}
    constexpr bool operator==(const FrameName& other) const {
        return std::string_view(text) == std::string_view(other.text);
    }
};
// The container of a row that lies on the tab or window itself.
inline constexpr FrameName noFrame{""};
#define FD_FRAME(name) constexpr ::fd::layout::FrameName name{#name};

struct RowName {
    const char* text;
    std::optional<ControlKind> control; // none for a frame, a label or the banner
    bool frame = false;

    constexpr RowName(const char* own) : text(own) {}
    constexpr RowName(FrameName own) : text(own.text), frame(true) {}
    template <ControlKind K> constexpr RowName(ControlId<K> id) : text(id.name), control(K) {}

    // The widget's objectName: a small window's control without its window's name in front.
    constexpr const char* objectName() const {
        const std::string_view name(text);
        const std::size_t dot = name.rfind('.');
        return dot == std::string_view::npos ? text : text + dot + 1;
    }
};

struct WidgetRow {
    Kind kind;
    RowName name;
    FrameName container; // the frame that holds it; noFrame for the tab or window
    const char* caption; // frames, labels, check boxes, options, buttons; "" for none
    Rect place;
    Font font{};
    unsigned style = Plain;
    Colour colour = Colour::Default;
    const char* tip = ""; // tooltip
};

// Whether a row is named the way its kind asks: every input by a control of its own kind, every
// frame by a frame id, every label by a name of its own; a picture box may be a control or
// not (the banner).
constexpr bool namedByKind(const WidgetRow& row) {
    const auto is = [&row](ControlKind kind) { return row.name.control == kind; };
    switch (row.kind) {
    case Kind::Frame:
        return row.name.frame;
    case Kind::Label:
        return !row.name.control && !row.name.frame;
    case Kind::Picture:
        return !row.name.control || is(ControlKind::PictureBox);
    case Kind::TextBox:
        return is(ControlKind::TextBox);
    case Kind::CheckBox:
        return is(ControlKind::CheckBox);
    case Kind::Option:
        return is(ControlKind::OptionButton);
    case Kind::List:
        return is(ControlKind::ListBox);
    case Kind::Combo:
        return is(ControlKind::ComboBox);
    case Kind::Button:
        return is(ControlKind::Button);
    }
    return false;
}
// Whether every row's container is a frame of the same table, listed before the row: the frame
// is then made before the widgets it holds.
constexpr bool containersComeFirst(std::span<const WidgetRow> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto holds = [&](const WidgetRow& frame) {
            return frame.kind == Kind::Frame && FrameName(frame.name.text) == rows[i].container;
        };
        if (!(rows[i].container == noFrame) && std::ranges::none_of(rows.first(i), holds))
            return false;
    }
    return true;
}
// Whether a whole table is named by kind, its containers first.
constexpr bool wellFormed(std::span<const WidgetRow> rows) {
    return std::ranges::all_of(rows, [](const WidgetRow& row) { return namedByKind(row); }) &&
           containersComeFirst(rows);
}

// Font families as the layout names them; the program maps them to installed fonts.
inline constexpr const char* Verdana = "Verdana";
inline constexpr const char* ComicSansMS = "Comic Sans MS";
inline constexpr const char* MSSansSerif = "MS Sans Serif";
inline constexpr const char* SystemFont = "System";
inline constexpr const char* LucidaSansUnicode = "Lucida Sans Unicode";
inline constexpr const char* CourierNew = "Courier New";

// What a screen reader calls an input: the label that captions it (the input is then the
// label's buddy), or a name of its own where no label captions the input alone.
struct InputName {
    Control input;
    const char* label; // the captioning label's name; null for a name of its own
    const char* name;  // the name when there is no label
};
constexpr InputName captionedBy(Control input, const char* label) {
    return {input, label, nullptr};
}
constexpr InputName named(Control input, const char* name) {
    return {input, nullptr, name};
}

struct TabLayout {
    const char* caption;
    std::span<const WidgetRow> widgets;
    std::span<const InputName> names;
};

// The main window: the controls on the window itself, and the seven tabs in order.
std::span<const WidgetRow> mainWindow();
std::span<const TabLayout> mainWindowTabs();

// The three small windows.
std::span<const WidgetRow> gamePathDialogRows();
std::span<const WidgetRow> errorMapNoticeRows();
std::span<const WidgetRow> runningNoticeRows();

} // namespace fd::layout
