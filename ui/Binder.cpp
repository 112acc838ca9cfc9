#include "Binder.h"

#include "ControlViews.h"
#include "core/FormModel.h"

#include <QWidget>

namespace fd::ui {

Binder::Binder(FormModel& form, QWidget* window, const QString& prefix)
    : QObject(window), form_(form), prefix_(prefix) {
    bindWidgetsUnder(window);
    connect(&form, &FormModel::controlChanged, this, &Binder::refresh);
    connect(&form, &FormModel::listItemAdded, this, [this](ListBox list, int index) {
        if (ListBoxView* view = listView(list))
            view->addItem(index);
    });
    connect(&form, &FormModel::listItemRemoved, this, [this](ListBox list, int index) {
        if (ListBoxView* view = listView(list))
            view->removeItem(index);
    });
    connect(&form, &FormModel::listItemChanged, this, [this](ListBox list, int index) {
        if (ListBoxView* view = listView(list))
            view->changeItem(index);
    });
    connect(&form, &FormModel::listReset, this, [this](ListBox list) {
        if (ListBoxView* view = listView(list))
            view->resetItems();
    });
}

void Binder::bindWidgetsUnder(QWidget* surface) {
    for (QWidget* widget : surface->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty())
            continue;
        const std::optional<Control> control = form_.control(prefix_ + widget->objectName());
        if (!control || views_.contains(*control))
            continue;
        if (ControlView* view = makeView(form_, *control, widget, placeholderPicture_)) {
            views_.emplace(*control, view);
            view->refresh();
        }
    }
}

void Binder::setPlaceholderPicture(const QString& path) {
    placeholderPicture_ = path;
    for (const auto& [control, view] : views_)
        if (control.kind == ControlKind::PictureBox && view)
            view->refresh();
}

void Binder::refresh(Control control) {
    auto found = views_.find(control);
    if (found != views_.end() && found->second)
        found->second->refresh();
}

ListBoxView* Binder::listView(ListBox list) const {
    auto found = views_.find(list);
    return found == views_.end() ? nullptr : static_cast<ListBoxView*>(found->second.data());
}

} // namespace fd::ui
