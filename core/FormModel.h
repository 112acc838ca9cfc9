#pragma once
// A model that mirrors every control of the program's windows: text boxes (text, locked,
// visible), check boxes (value, visible), option buttons (selected, within their group), list
// boxes (items, selection), the slot chooser, the map picture and which windows are shown.
//
// Logic reads and writes only this model. Changing a value here runs the handler that the
// user's click on the control runs, before the call returns, so "set in code" and "clicked
// by the user" cannot differ. Handlers may change other controls and so run further handlers,
// nested, exactly as they would in a window of controls.

#include "Controls.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>

namespace fd {

class FormModel : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;

    // List boxes hold at most this many items: their positions are 16-bit signed numbers.
    static constexpr int maxListItems = 32767;

    // Declaring a control gives it its initial state. Every control is declared once, before use.
    void declare(TextBox id, const QString& text, int maxLength = 0);
    void declare(CheckBox id, int value);
    void declare(OptionButton id, const QString& group, bool selected);
    void declare(ListBox id);
    void declare(ComboBox id, const QStringList& items, const QString& text);
    void declare(PictureBox id);
    void declare(Button id);
    // The declared control of that name, as a window's widget names it.
    std::optional<Control> control(const QString& name) const;

    // Handlers. A click handler runs when the user clicks the control or when its value changes
    // in code: a check box's value, an option button becoming selected, a list's selection.
    template <ControlKind K> void onClick(ControlId<K> id, Handler handler) {
        state(id).onClick = std::move(handler);
    }
    void onDoubleClick(ListBox id, Handler handler);
    // Runs whenever the text changes, by typing or in code (not when chosen from a list).
    void onChange(ComboBox id, Handler handler);

    // Text boxes.
    QString text(TextBox id) const;
    void setText(TextBox id, const QString& text);
    bool locked(TextBox id) const;
    void setLocked(TextBox id, bool locked);
    int maxLength(TextBox id) const;

    // Any control may be hidden; a hidden control keeps its value.
    template <ControlKind K> bool visible(ControlId<K> id) const { return state(id).visible; }
    template <ControlKind K> void setVisible(ControlId<K> id, bool visible) {
        setVisible(Control(id), visible);
    }

    // Check boxes: 0 (cleared) or 1 (checked).
    int value(CheckBox id) const;
    void setValue(CheckBox id, int value);

    // Option buttons: selecting one clears the others of its group.
    bool selected(OptionButton id) const;
    void select(OptionButton id);
    // Selects (true) or clears (false) only this button; a load may leave a group empty.
    void setSelected(OptionButton id, bool selected);

    // List boxes.
    const QStringList& items(ListBox id) const;
    int count(ListBox id) const;
    bool addItem(ListBox id, const QString& item); // false when the list is full
    void removeItem(ListBox id, int index);
    void clear(ListBox id);
    void setItemText(ListBox id, int index, const QString& text);
    int selectedIndex(ListBox id) const;    // -1 for none
    QString selectedText(ListBox id) const; // empty for none
    void setSelectedIndex(ListBox id, int index);
    // The user's click on an item: selects it and runs the click handler, also when the item
    // was selected already.
    void clickItem(ListBox id, int index);
    void doubleClick(ListBox id);

    // The slot chooser: an editable drop-down list.
    QString text(ComboBox id) const;
    void setText(ComboBox id, const QString& text); // typing or code: runs the change handler
    const QStringList& items(ComboBox id) const;
    void choose(ComboBox id, int index); // picking from the list: no handler runs

    // Picture boxes hold the path of the picture they show (empty: none).
    QString picture(PictureBox id) const;
    void setPicture(PictureBox id, const QString& path);

    // Buttons.
    void click(Button id);

    // Windows: shown, hidden or closed. A closed window is gone for the rest of the run.
    bool isShown(Window window) const;
    bool isClosed(Window window) const;
    void show(Window window);
    void hide(Window window);
    void close(Window window);
    // Closes the windows one after another, in the order given.
    void close(std::initializer_list<Window> order);

Q_SIGNALS:
    void controlChanged(fd::Control control); // value, lock, visibility or selection
    void listItemAdded(fd::ListBox list, int index);
    void listItemRemoved(fd::ListBox list, int index);
    void listReset(fd::ListBox list); // items replaced as a whole
    // One item's text replaced.
    void listItemChanged(fd::ListBox list, int index);
    void windowChanged(fd::Window window);

private:
    enum class Event { Click, DoubleClick, Change };
    struct State {
        QString text;
        int maxLength = 0;
        bool locked = false;
        bool visible = true;
        int value = 0;
        QString group;
        QStringList items;
        int selectedIndex = -1;
        Handler onClick, onDoubleClick, onChange;
    };
    struct WindowState {
        bool shown = false;
        bool closed = false;
    };

    // A control's state, found by its id; the id's type says its kind, so a text box's state is
    // never read as a list's.
    State& declareState(Control control);
    const State& state(Control control) const;
    State& state(Control control);
    void setVisible(Control control, bool visible);
    void run(Control control, Event event);
    void changed(Control control);

    std::map<Control, State, std::less<>> controls_;
    std::map<Window, WindowState> windows_;
};

} // namespace fd
