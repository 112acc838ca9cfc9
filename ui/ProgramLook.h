#pragma once
// The program's look: the Fusion style, the layout's font names mapped to fonts installed on this
// system, the fonts and colours that layout rows name.

#include "layout/WidgetRow.h"

#include <QColor>
#include <QFont>
#include <QPixmap>

namespace fd::ui {

// Installs the style and the default font of the windows. Call once, after creating the
// application. The system's font list is read when the first window needs it, on the thread
// that shows it: reading it on a thread of its own left a heap of that thread's resident.
void installProgramLook();

// A picture read as the given format only. Qt's reader, unless told not to, first offers a file
// to every image format plugin installed, loading each plugin's library (GIF, ICO, JPEG).
QPixmap pictureOf(const QString& file, const char* format);

// The font of the captions in a row of tabs.
QFont tabCaptionFont();

// A named colour of the layout tables; an invalid colour for the default.
QColor colourOf(layout::Colour colour);

// The font of a family, size and style, made once and shared by every widget that shows it.
const QFont& fontOf(const layout::Font& face, unsigned style);

} // namespace fd::ui
