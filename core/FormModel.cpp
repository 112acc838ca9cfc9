#include "FormModel.h"

#include <stdexcept>
#include <string>

namespace fd {

namespace {
[[noreturn]] void fail(const char* what, Control control) {
    throw std::logic_error(std::string(what) + ": " + control.name);
}
} // namespace

FormModel::State& FormModel::declareState(Control control) {
    auto [it, inserted] = controls_.try_emplace(control);
    if (!inserted)
        fail("control declared twice", control);
    return it->second;
}

void FormModel::declare(TextBox id, const QString& text, int maxLength) {
    State& s = declareState(id);
    s.text = text;
    s.maxLength = maxLength;
}

void FormModel::declare(CheckBox id, int value) {
    declareState(id).value = value;
}

void FormModel::declare(OptionButton id, const QString& group, bool selected) {
    State& s = declareState(id);
    s.group = group;
    s.value = selected ? 1 : 0;
}

void FormModel::declare(ListBox id) {
    declareState(id);
}

void FormModel::declare(ComboBox id, const QStringList& items, const QString& text) {
    State& s = declareState(id);
    s.items = items;
    s.text = text;
}

void FormModel::declare(PictureBox id) {
    declareState(id);
}

void FormModel::declare(Button id) {
    declareState(id);
}

std::optional<Control> FormModel::control(const QString& name) const {
    const QByteArray latin1 = name.toLatin1();
    auto it = controls_.find(std::string_view(latin1.constData(), std::size_t(latin1.size())));
    if (it == controls_.end())
        return std::nullopt;
    return it->first;
}

// Every id of a control is of the kind it was declared as, unless made by hand with another
// kind under the same name: that is refused here.
const FormModel::State& FormModel::state(Control control) const {
    auto it = controls_.find(control);
    if (it == controls_.end() || it->first.kind != control.kind)
        fail("control not declared as this kind", control);
    return it->second;
}

FormModel::State& FormModel::state(Control control) {
    return const_cast<State&>(std::as_const(*this).state(control));
}

void FormModel::onDoubleClick(ListBox id, Handler handler) {
    state(id).onDoubleClick = std::move(handler);
}

void FormModel::onChange(ComboBox id, Handler handler) {
    state(id).onChange = std::move(handler);
}

void FormModel::run(Control control, Event event) {
    const State& s = state(control);
    // A copy, so that a handler that replaces handlers cannot pull the running one away.
    const Handler handler = event == Event::Click         ? s.onClick
                            : event == Event::DoubleClick ? s.onDoubleClick
                                                          : s.onChange;
    if (handler)
        handler();
}

void FormModel::changed(Control control) {
    Q_EMIT controlChanged(control);
}

void FormModel::setVisible(Control control, bool visible) {
    State& s = state(control);
    if (s.visible == visible)
        return;
    s.visible = visible;
    changed(control);
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
    changed(id);
}

bool FormModel::locked(TextBox id) const {
    return state(id).locked;
}

void FormModel::setLocked(TextBox id, bool locked) {
    State& s = state(id);
    if (s.locked == locked)
        return;
    s.locked = locked;
    changed(id);
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
    changed(id);
    run(id, Event::Click);
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
    changed(id);
    if (!selected)
        return;
    const QString group = s.group;
    for (auto& [control, other] : controls_) {
        if (control.kind == ControlKind::OptionButton && other.group == group && other.value != 0 &&
            !(control == Control(id))) {
            other.value = 0;
            changed(control);
        }
    }
    run(id, Event::Click);
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
    changed(id);
    run(id, Event::Change);
}

const QStringList& FormModel::items(ComboBox id) const {
    return state(id).items;
}

void FormModel::choose(ComboBox id, int index) {
    State& s = state(id);
    if (index < 0 || index >= s.items.size() || s.text == s.items[index])
        return;
    s.text = s.items[index];
    changed(id);
}

// Pictures and buttons

QString FormModel::picture(PictureBox id) const {
    return state(id).text;
}

void FormModel::setPicture(PictureBox id, const QString& path) {
    state(id).text = path;
    changed(id); // the same path may hold a new picture
}

void FormModel::click(Button id) {
    run(id, Event::Click);
}

} // namespace fd
