#pragma once
// Builds widgets from layout tables. Every widget's objectName is its control's name.

#include "layout/WidgetRow.h"

#include <QRect>

class QWidget;

namespace fd::ui {

// Twips to pixels: 15 twips make a pixel at 96 dots per inch.
constexpr int pixels(int twips) {
    return (twips + 7) / 15;
}
QRect pixels(const layout::Rect& place);

// Creates the table's widgets inside `surface`. Widgets without a frame (noFrame) lie on the
// surface, shifted up by `topOffsetTwips` (a tab page starts below the row of tabs, while
// the table's places count from the top of the whole tab control).
void buildWidgets(QWidget* surface, std::span<const layout::WidgetRow> table,
                  int topOffsetTwips = 0);

// Names the inputs under `surface` for screen readers: each captioning label gets its input as
// its buddy, and the input the label's text (without a closing colon) as its accessible name.
void nameInputs(QWidget* surface, std::span<const layout::InputName> names);

} // namespace fd::ui
