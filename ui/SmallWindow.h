#pragma once
// The three small windows (game folder dialog, missing-picture notice, running notice), each
// built from its layout table and bound to the control model under its own name.

#include "layout/WidgetRow.h"

#include <QWidget>

namespace fd {
class FormModel;
}

namespace fd::ui {

struct SmallWindowLayout {
    const char* name; // the window's name, in front of its controls' names
    const char* caption;
    layout::Rect client; // the client area's size
    enum Frame { Dialog, Notice, NoticeWithoutTaskbarEntry };
    Frame frame; // a notice's frame has no close button
    std::span<const layout::WidgetRow> widgets;
    layout::Colour background = layout::Colour::Default; // of the client area
};

const SmallWindowLayout& gamePathDialog();
const SmallWindowLayout& errorMapNotice();
const SmallWindowLayout& runningNotice();

class SmallWindow : public QWidget {
    Q_OBJECT
public:
    SmallWindow(FormModel& form, const SmallWindowLayout& look);

Q_SIGNALS:
    // The user closes the window by its frame; the program decides what happens.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace fd::ui
