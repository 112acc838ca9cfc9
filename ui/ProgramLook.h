#pragma once
// The program's look: the Fusion style, the layout's font names mapped to fonts installed on this
// system, the fonts and colours that layout rows name.

#include "layout/WidgetRow.h"

#include <QColor>
#include <QFont>

namespace fd::ui {

// Installs the style and the default font of the windows. Call once, after creating the
// application. The system's font list is read when the first window needs it, on the thread
// that shows it: reading it on a thread of its own left a heap of that thread's resident.
void installProgramLook();

// The font of the captions in a row of tabs.
QFont tabCaptionFont();

// A named colour of the layout tables; an invalid colour for the default.
QColor colourOf(layout::Colour colour);

// The font of a family, size and style, made once and shared by every widget that shows it.
const QFont& fontOf(const layout::Font& face, unsigned style);

} // namespace fd::ui
