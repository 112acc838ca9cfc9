#pragma once
// Builds widgets from layout tables. Every widget's objectName is its control's name.

#include "layout/WidgetRow.h"

#include <QColor>
#include <QFont>
#include <QRect>

#include <thread>

class QWidget;

namespace fd::ui {

// Twips to pixels: 15 twips make a pixel at 96 dots per inch.
constexpr int pixels(int twips) {
    return (twips + 7) / 15;
}
QRect pixels(const layout::Rect& place);
// A named colour of the layout tables; an invalid colour for the default.
QColor colourOf(layout::Colour colour);

// The program's look: the Fusion style, the layout's font names mapped to fonts installed on
// this system, and the default font of the windows. Call once, after creating the application.
// Returns a thread that reads the system's font configuration and matches the fonts the main
// window shows first, while start-up reads its files, so that building the window finds them
// matched; keep it while the application exists.
[[nodiscard]] std::jthread installProgramLook();

// The font of the captions in a row of tabs.
QFont tabCaptionFont();

// Creates the table's widgets inside `surface`. Widgets without a frame (noFrame) lie on the
// surface, shifted up by `topOffsetTwips` (a tab page starts below the row of tabs, while
// the table's places count from the top of the whole tab control).
void buildWidgets(QWidget* surface, std::span<const layout::WidgetRow> table,
                  int topOffsetTwips = 0);

} // namespace fd::ui
