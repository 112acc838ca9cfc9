#pragma once
// Keeps a window's widgets and the control model in step, both ways and at once: a user's
// edit or click goes into the model (which runs the control's handler), and every change of
// the model shows in the widget. Widgets are matched to controls by objectName; no rule of
// the program lives here.

#include "core/Controls.h"

#include <QObject>
#include <QPointer>

#include <map>

class QWidget;

namespace fd {
class FormModel;
}

namespace fd::ui {

class ControlView;
class ListBoxView;

class Binder : public QObject {
    Q_OBJECT
public:
    // Binds every widget under `window` whose name, with `prefix` in front, is a control.
    Binder(FormModel& form, QWidget* window, const QString& prefix = {});

    // Binds the widgets under `surface` that were built after the window, such as a tab page
    // built when it is first shown; each at once shows its control's state as it is now.
    void bindWidgetsUnder(QWidget* surface);

    // The picture shown by a picture box whose own picture cannot be decoded.
    void setPlaceholderPicture(const QString& path);

private:
    void refresh(Control control);
    ListBoxView* listView(ListBox list) const;

    FormModel& form_;
    QString prefix_;
    std::map<Control, QPointer<ControlView>> views_;
    QString placeholderPicture_;
};

} // namespace fd::ui
