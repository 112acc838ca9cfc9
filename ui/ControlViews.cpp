#include "ControlViews.h"

#include "core/FormModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace fd::ui {

namespace {

constexpr int noTypingLimit = 32767; // QLineEdit's own default

// A text box's limit bounds what the user can type, while the program may put longer text in:
// the box then takes no more characters, but the user can still shorten the text.
void fitTypingLimit(QLineEdit* edit, int limit) {
    const int typingLimit = limit > 0 ? limit : noTypingLimit;
    edit->setMaxLength(std::max(typingLimit, int(edit->text().size())));
}

int selectedRow(const QListWidget* list) {
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

// The common part of the views: the model, the control and its widget.
template <class Id, class Widget> class View : public ControlView {
public:
    View(FormModel& form, Id id, Widget* widget) : ControlView(widget), form_(form), id_(id) {}

protected:
    Widget* widget() const { return static_cast<Widget*>(parent()); }
    FormModel& form_;
    const Id id_;
};

class TextBoxView final : public View<TextBox, QLineEdit> {
public:
    TextBoxView(FormModel& form, TextBox id, QLineEdit* edit) : View(form, id, edit) {
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
            form_.setText(id_, text);
            fitTypingLimit(widget(), form_.maxLength(id_));
        });
    }
    void showState() override {
        QLineEdit* edit = widget();
        if (edit->text() != form_.text(id_)) {
            edit->setMaxLength(noTypingLimit);
            edit->setText(form_.text(id_));
        }
        fitTypingLimit(edit, form_.maxLength(id_));
        edit->setReadOnly(form_.locked(id_));
        edit->setVisible(form_.visible(id_));
        edit->setFocusPolicy(form_.visible(id_) ? Qt::StrongFocus : Qt::NoFocus);
    }
};

class CheckBoxView final : public View<CheckBox, QCheckBox> {
public:
    CheckBoxView(FormModel& form, CheckBox id, QCheckBox* check) : View(form, id, check) {
        connect(check, &QCheckBox::clicked, this, [this](bool checked) {
            form_.setValue(id_, checked ? 1 : 0);
            refresh();
        });
    }
    void showState() override {
        widget()->setChecked(form_.value(id_) == 1);
        widget()->setVisible(form_.visible(id_));
    }
};

class OptionButtonView final : public View<OptionButton, QRadioButton> {
public:
    OptionButtonView(FormModel& form, OptionButton id, QRadioButton* option)
        : View(form, id, option) {
        connect(option, &QRadioButton::clicked, this, [this] {
            form_.select(id_);
            refresh(); // a click on the selected button leaves it selected
        });
    }
    void showState() override {
        // An exclusive button cannot be cleared on its own, while a load may empty its group.
        widget()->setAutoExclusive(false);
        widget()->setChecked(form_.selected(id_));
        widget()->setAutoExclusive(true);
        widget()->setVisible(form_.visible(id_));
    }
};

class ComboBoxView final : public View<ComboBox, QComboBox> {
public:
    ComboBoxView(FormModel& form, ComboBox id, QComboBox* combo) : View(form, id, combo) {
        combo->addItems(form_.items(id_));
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [this](const QString& text) { form_.setText(id_, text); });
        connect(combo, &QComboBox::activated, this,
                [this](int index) { form_.choose(id_, index); });
    }
    void showState() override {
        if (widget()->currentText() != form_.text(id_))
            widget()->setEditText(form_.text(id_));
    }
};

class PictureBoxView final : public View<PictureBox, QLabel> {
public:
    PictureBoxView(FormModel& form, PictureBox id, QLabel* label, const QString& placeholder)
        : View(form, id, label), placeholder_(placeholder) {}
    void showState() override {
        QPixmap pixmap(form_.picture(id_));
        if (pixmap.isNull() && !form_.picture(id_).isEmpty())
            pixmap.load(placeholder_);
        widget()->setPixmap(pixmap);
    }

private:
    const QString& placeholder_;
};

class ButtonView final : public View<Button, QPushButton> {
public:
    ButtonView(FormModel& form, Button id, QPushButton* button) : View(form, id, button) {
        connect(button, &QPushButton::clicked, this, [this] { form_.click(id_); });
    }
    void showState() override {}
};

// The view of a control whose widget is of the type `W`; null for a widget of another type.
template <class V, class W, class Id, class... Extra>
ControlView* viewOf(FormModel& form, Id id, QWidget* widget, const Extra&... extra) {
    auto* typed = qobject_cast<W*>(widget);
    return typed ? new V(form, id, typed, extra...) : nullptr;
}

} // namespace

ControlView* makeView(FormModel& form, Control control, QWidget* widget,
                      const QString& placeholder) {
    switch (control.kind) {
    case ControlKind::TextBox:
        return viewOf<TextBoxView, QLineEdit>(form, control.as<TextBox>(), widget);
    case ControlKind::CheckBox:
        return viewOf<CheckBoxView, QCheckBox>(form, control.as<CheckBox>(), widget);
    case ControlKind::OptionButton:
        return viewOf<OptionButtonView, QRadioButton>(form, control.as<OptionButton>(), widget);
    case ControlKind::ListBox:
        return viewOf<ListBoxView, QListWidget>(form, control.as<ListBox>(), widget);
    case ControlKind::ComboBox:
        return viewOf<ComboBoxView, QComboBox>(form, control.as<ComboBox>(), widget);
    case ControlKind::PictureBox:
        return viewOf<PictureBoxView, QLabel>(form, control.as<PictureBox>(), widget, placeholder);
    case ControlKind::Button:
        return viewOf<ButtonView, QPushButton>(form, control.as<Button>(), widget);
    }
    return nullptr;
}

void ControlView::refresh() {
    const QSignalBlocker blocker(parent());
    showState();
}

ListBoxView::ListBoxView(FormModel& form, ListBox list, QListWidget* widget)
    : ControlView(widget), form_(form), list_(list), widget_(widget) {
    // The model follows the highlighted item, not the current row: the row that focus makes
    // current when it enters the list is not a selection.
    connect(widget, &QListWidget::itemSelectionChanged, this,
            [this] { form_.setSelectedIndex(list_, selectedRow(widget_)); });
    // A click on the item that was already selected is a click all the same, once its release
    // leaves the item selected (Ctrl+click takes the selection away).
    connect(widget, &QListWidget::clicked, this, [this](const QModelIndex& item) {
        if (item.row() == selectedAtPress_ && selectedRow(widget_) == item.row())
            form_.clickItem(list_, item.row());
    });
    // A double click anywhere in the list counts, also below its last item.
    widget->viewport()->installEventFilter(this);
    resetItems();
}

void ListBoxView::showState() {
    widget_->setCurrentRow(form_.selectedIndex(list_));
}

void ListBoxView::addItem(int index) {
    widget_->insertItem(index, form_.items(list_).at(index));
}

void ListBoxView::removeItem(int index) {
    const QSignalBlocker blocker(widget_);
    delete widget_->takeItem(index);
    refresh();
}

void ListBoxView::changeItem(int index) {
    if (QListWidgetItem* item = widget_->item(index))
        item->setText(form_.items(list_).at(index));
}

void ListBoxView::resetItems() {
    const QSignalBlocker blocker(widget_);
    widget_->clear();
    widget_->addItems(form_.items(list_));
    refresh();
}

bool ListBoxView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
        return ControlView::eventFilter(watched, event);
    // A list's clicks are the left button's; another button selects nothing and runs nothing.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return true;
    if (type == QEvent::MouseButtonDblClick) {
        selectedAtPress_ = -1; // the release that ends it is no click
        form_.doubleClick(list_);
        return true; // the list's own reply to it would be a second press
    }
    selectedAtPress_ = form_.selectedIndex(list_);
    // A press beside the items leaves the selection as it is.
    return !widget_->indexAt(mouse->position().toPoint()).isValid();
}

} // namespace fd::ui
