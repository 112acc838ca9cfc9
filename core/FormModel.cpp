#include "FormModel.h"

#include <stdexcept>

namespace fd {

namespace {
[[noreturn]] void fail(const char* what, const char* name) {
    throw std::logic_error(std::string(what) + ": " + name);
}
} // namespace

FormModel::State& FormModel::declareState(const char* name, ControlKind kind) {
    auto [it, inserted] = controls_.try_emplace(name);
    if (!inserted)
        fail("control declared twice", name);
    it->second.kind = kind;
    return it->second;
}

void FormModel::declare(TextBox id, const QString& text, int maxLength) {
    State& s = declareState(id.name, ControlKind::TextBox);
    s.text = text;
    s.maxLength = maxLength;
}

void FormModel::declare(CheckBox id, int value) {
    declareState(id.name, ControlKind::CheckBox).value = value;
}

void FormModel::declare(OptionButton id, const QString& group, bool selected) {
    State& s = declareState(id.name, ControlKind::OptionButton);
    s.group = group;
    s.value = selected ? 1 : 0;
}

void FormModel::declare(ListBox id) {
    declareState(id.name, ControlKind::ListBox);
}

void FormModel::declare(ComboBox id, const QStringList& items, const QString& text) {
    State& s = declareState(id.name, ControlKind::ComboBox);
    s.items = items;
    s.text = text;
}

void FormModel::declare(PictureBox id) {
    declareState(id.name, ControlKind::PictureBox);
}

void FormModel::declare(Button id) {
    declareState(id.name, ControlKind::Button);
}

bool FormModel::isDeclared(const QString& name) const {
    return controls_.find(name.toStdString()) != controls_.end();
}

const FormModel::State& FormModel::state(const char* name) const {
    auto it = controls_.find(std::string_view(name));
    if (it == controls_.end())
        fail("control not declared", name);
    return it->second;
}

FormModel::State& FormModel::state(const char* name) {
    return const_cast<State&>(std::as_const(*this).state(name));
}

const FormModel::State& FormModel::checked(const char* name, ControlKind kind) const {
    const State& s = state(name);
    if (s.kind != kind)
        fail("control used as another kind", name);
    return s;
}

FormModel::State& FormModel::checked(const char* name, ControlKind kind) {
    return const_cast<State&>(std::as_const(*this).checked(name, kind));
}

FormModel::Handler& FormModel::handlerSlot(const char* name, Event event) {
    State& s = state(name);
    switch (event) {
    case Event::Click:
        return s.onClick;
    case Event::DoubleClick:
        return s.onDoubleClick;
    case Event::Change:
        return s.onChange;
    }
    fail("unknown event", name);
}

void FormModel::onDoubleClick(ListBox id, Handler handler) {
    state(id).onDoubleClick = std::move(handler);
}

void FormModel::onChange(ComboBox id, Handler handler) {
    state(id).onChange = std::move(handler);
}

void FormModel::run(const char* name, Event event) {
    // A copy, so that a handler that replaces handlers cannot pull the running one away.
    Handler handler = handlerSlot(name, event);
    if (handler)
        handler();
}

void FormModel::changed(const char* name) {
    Q_EMIT controlChanged(QString::fromLatin1(name));
}

void FormModel::setVisibleByName(const char* name, bool visible) {
    State& s = state(name);
    if (s.visible == visible)
        return;
    s.visible = visible;
    changed(name);
}

// Text boxes

QString FormModel::text(TextBox id) const {
    return state(id).text;
}

void FormModel::setText(TextBox id, const QString& text) {
    State& s = state(id);
    if (s.text == text)
        return;
    s.text = text;
    changed(id.name);
}

bool FormModel::locked(TextBox id) const {
    return state(id).locked;
}

void FormModel::setLocked(TextBox id, bool locked) {
    State& s = state(id);
    if (s.locked == locked)
        return;
    s.locked = locked;
    changed(id.name);
}

int FormModel::maxLength(TextBox id) const {
    return state(id).maxLength;
}

// Check boxes and option buttons

int FormModel::value(CheckBox id) const {
    return state(id).value;
}

void FormModel::setValue(CheckBox id, int value) {
    State& s = state(id);
    if (s.value == value)
        return;
    s.value = value;
    changed(id.name);
    run(id.name, Event::Click);
}

bool FormModel::selected(OptionButton id) const {
    return state(id).value != 0;
}

void FormModel::select(OptionButton id) {
    setSelected(id, true);
}

void FormModel::setSelected(OptionButton id, bool selected) {
    State& s = state(id);
    if ((s.value != 0) == selected)
        return;
    s.value = selected ? 1 : 0;
    changed(id.name);
    if (!selected)
        return;
    const QString group = s.group;
    for (auto& [name, other] : controls_) {
        if (other.kind == ControlKind::OptionButton && other.group == group && other.value != 0 &&
            name != id.name) {
            other.value = 0;
            changed(name.c_str());
        }
    }
    run(id.name, Event::Click);
}

// List boxes

const QStringList& FormModel::items(ListBox id) const {
    return state(id).items;
}

int FormModel::count(ListBox id) const {
    return int(state(id).items.size());
}

bool FormModel::addItem(ListBox id, const QString& item) {
    State& s = state(id);
    if (s.items.size() >= maxListItems)
        return false;
    s.items.append(item);
    Q_EMIT listItemAdded(QString::fromLatin1(id.name), int(s.items.size()) - 1);
    return true;
}

void FormModel::removeItem(ListBox id, int index) {
    State& s = state(id);
    if (index < 0 || index >= s.items.size())
        return;
    s.items.removeAt(index);
    if (s.selectedIndex == index)
        s.selectedIndex = -1;
    else if (s.selectedIndex > index)
        --s.selectedIndex;
    Q_EMIT listItemRemoved(QString::fromLatin1(id.name), index);
}

void FormModel::clear(ListBox id) {
    State& s = state(id);
    if (s.items.isEmpty())
        return;
    s.items.clear();
    s.selectedIndex = -1;
    Q_EMIT listReset(QString::fromLatin1(id.name));
}

void FormModel::setItemText(ListBox id, int index, const QString& text) {
    State& s = state(id);
    if (index < 0 || index >= s.items.size() || s.items[index] == text)
        return;
    s.items[index] = text;
    Q_EMIT listItemChanged(QString::fromLatin1(id.name), index);
}

int FormModel::selectedIndex(ListBox id) const {
    return state(id).selectedIndex;
}

QString FormModel::selectedText(ListBox id) const {
    const State& s = state(id);
    return s.selectedIndex < 0 ? QString() : s.items.at(s.selectedIndex);
}

void FormModel::setSelectedIndex(ListBox id, int index) {
    State& s = state(id);
    if (index < -1 || index >= s.items.size() || s.selectedIndex == index)
        return;
    if (index >= 0)
        return clickItem(id, index);
    s.selectedIndex = -1;
    changed(id.name);
}

void FormModel::clickItem(ListBox id, int index) {
    State& s = state(id);
    if (index < 0 || index >= s.items.size())
        return;
    if (s.selectedIndex != index) {
        s.selectedIndex = index;
        changed(id.name);
    }
    run(id.name, Event::Click);
}

void FormModel::doubleClick(ListBox id) {
    run(id.name, Event::DoubleClick);
}

// The slot chooser

QString FormModel::text(ComboBox id) const {
    return state(id).text;
}

void FormModel::setText(ComboBox id, const QString& text) {
    State& s = state(id);
    if (s.text == text)
        return;
    s.text = text;
    changed(id.name);
    run(id.name, Event::Change);
}

const QStringList& FormModel::items(ComboBox id) const {
    return state(id).items;
}

void FormModel::choose(ComboBox id, int index) {
    State& s = state(id);
    if (index < 0 || index >= s.items.size() || s.text == s.items[index])
        return;
    s.text = s.items[index];
    changed(id.name);
}

// Pictures and buttons

QString FormModel::picture(PictureBox id) const {
    return state(id).text;
}

void FormModel::setPicture(PictureBox id, const QString& path) {
    state(id).text = path;
    changed(id.name); // the same path may hold a new picture
}

void FormModel::click(Button id) {
    run(id.name, Event::Click);
}

void FormModel::clickByName(const QString& name) {
    run(name.toLatin1().constData(), Event::Click);
}

// Windows

bool FormModel::isShown(Window window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.shown;
}

bool FormModel::isClosed(Window window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.closed;
}

void FormModel::show(Window window) {
    WindowState& w = windows_[window];
    if (w.closed || w.shown)
        return;
    w.shown = true;
    Q_EMIT windowChanged(window);
}

void FormModel::hide(Window window) {
    WindowState& w = windows_[window];
    if (w.closed || !w.shown)
        return;
    w.shown = false;
    Q_EMIT windowChanged(window);
}

void FormModel::close(Window window) {
    WindowState& w = windows_[window];
    if (w.closed)
        return;
    w.closed = true;
    w.shown = false;
    Q_EMIT windowChanged(window);
}

void FormModel::close(std::initializer_list<Window> order) {
    for (Window window : order)
        close(window);
}

} // namespace fd
