#pragma once
// One view per kind of control: it carries the user's edits and clicks from its widget into the
// control model (which runs the control's handler) and shows the model's state in the widget.
// Each view is owned by its widget.

#include "core/Controls.h"

#include <QObject>

class QListWidget;
class QWidget;

namespace fd {
class FormModel;
}

namespace fd::ui {

class ControlView : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Shows the control's state as the model holds it now, without taking that for an edit.
    void refresh();

protected:
    virtual void showState() = 0;
};

// A list box's view also follows the model's changes of single items.
class ListBoxView final : public ControlView {
    Q_OBJECT
public:
    ListBoxView(FormModel& form, ListBox list, QListWidget* widget);
    void addItem(int index);
    void removeItem(int index);
    void changeItem(int index);
    void resetItems();

protected:
    void showState() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormModel& form_;
    ListBox list_;
    QListWidget* widget_;
    int selectedAtPress_ = -1; // the selection before the press that a release may make a click
};

// The view of `control` over `widget`; null when the widget is not of the control's kind. A
// picture box shows the picture at `placeholder` in place of one that cannot be decoded.
ControlView* makeView(FormModel& form, Control control, QWidget* widget,
                      const QString& placeholder);

} // namespace fd::ui
