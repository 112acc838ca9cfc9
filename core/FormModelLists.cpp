// The list boxes of the control model: items, their order and the selection.

#include "FormModel.h"

namespace fd {

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
    Q_EMIT listItemAdded(id, int(s.items.size()) - 1);
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
    Q_EMIT listItemRemoved(id, index);
}

void FormModel::clear(ListBox id) {
    State& s = state(id);
    if (s.items.isEmpty())
        return;
    s.items.clear();
    s.selectedIndex = -1;
    Q_EMIT listReset(id);
}

void FormModel::setItemText(ListBox id, int index, const QString& text) {
    State& s = state(id);
    if (index < 0 || index >= s.items.size() || s.items[index] == text)
        return;
    s.items[index] = text;
    Q_EMIT listItemChanged(id, index);
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
    changed(id);
}

void FormModel::clickItem(ListBox id, int index) {
    State& s = state(id);
    if (index < 0 || index >= s.items.size())
        return;
    if (s.selectedIndex != index) {
        s.selectedIndex = index;
        changed(id);
    }
    run(id, Event::Click);
}

void FormModel::doubleClick(ListBox id) {
    run(id, Event::DoubleClick);
}

} // namespace fd
