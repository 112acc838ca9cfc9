#pragma once
// Shows, hides and closes the program's windows as the control model says. Each window is
// created on its first use, hidden rather than destroyed, and the program ends once every
// window is closed.

#include "core/Controls.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>

class QWidget;

namespace fd {
class FormModel;
}

namespace fd::ui {

class WindowManager : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*(Window)>;
    WindowManager(FormModel& form, Factory factory);
    ~WindowManager() override;

    // The window's widget, created now if it does not exist yet; null once it is closed.
    QWidget* window(Window window);
    // While held, the widgets wait; on release they take the state the model has then, so
    // that a window shown and hidden again in the meantime is never displayed.
    void hold();
    void release();

private:
    void update(Window window);
    bool allClosed() const;

    FormModel& form_;
    Factory factory_;
    std::map<Window, QPointer<QWidget>> windows_;
    bool held_ = false;
};

} // namespace fd::ui
