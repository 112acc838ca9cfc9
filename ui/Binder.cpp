#include "Binder.h"

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

const char* id(const QString& control, QByteArray& storage) {
    storage = control.toLatin1();
    return storage.constData();
}

} // namespace

Binder::Binder(FormModel& form, QWidget* window, const QString& prefix)
    : QObject(window), form_(form), prefix_(prefix) {
    bindWidgetsUnder(window);
    connect(&form, &FormModel::controlChanged, this, &Binder::refresh);
    connect(&form, &FormModel::listItemAdded, this, &Binder::addListItem);
    connect(&form, &FormModel::listItemRemoved, this, &Binder::removeListItem);
    connect(&form, &FormModel::listReset, this, &Binder::resetList);
    connect(&form, &FormModel::listItemChanged, this, &Binder::changeListItem);
}

void Binder::bindWidgetsUnder(QWidget* surface) {
    for (QWidget* widget : surface->findChildren<QWidget*>()) {
        const QString control = prefix_ + widget->objectName();
        if (!widget->objectName().isEmpty() && form_.isDeclared(control) &&
            !widgets_.contains(control))
            bind(widget, control);
    }
}

void Binder::setPlaceholderPicture(const QString& path) {
    placeholderPicture_ = path;
    for (auto it = widgets_.cbegin(); it != widgets_.cend(); ++it)
        if (qobject_cast<QLabel*>(it.value().data()))
            refresh(it.key());
}

bool Binder::eventFilter(QObject* watched, QEvent* event) {
    const QString control = listViewports_.value(watched);
    const QEvent::Type type = event->type();
    if (control.isEmpty() ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick))
        return QObject::eventFilter(watched, event);
    // A list's clicks are the left button's; another button selects nothing and runs nothing.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return true;
    QByteArray storage;
    const ListBox list{id(control, storage)};
    if (type == QEvent::MouseButtonDblClick) {
        selectedAtPress_ = -1; // the release that ends it is no click
        form_.doubleClick(list);
        return true; // the list's own reply to it would be a second press
    }
    selectedAtPress_ = form_.selectedIndex(list);
    // A press beside the items leaves the selection as it is.
    const auto* view = static_cast<const QListWidget*>(watched->parent());
    return !view->indexAt(mouse->position().toPoint()).isValid();
}

void Binder::bind(QWidget* widget, const QString& control) {
    widgets_.insert(control, widget);
    QByteArray name = control.toLatin1();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit, name](const QString& text) {
            form_.setText(TextBox{name.constData()}, text);
            fitTypingLimit(edit, form_.maxLength(TextBox{name.constData()}));
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        connect(check, &QCheckBox::clicked, this, [this, name, control](bool checked) {
            form_.setValue(CheckBox{name.constData()}, checked ? 1 : 0);
            refresh(control);
        });
    } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        connect(option, &QRadioButton::clicked, this, [this, name, control] {
            form_.select(OptionButton{name.constData()});
            refresh(control); // a click on the selected button leaves it selected
        });
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        // The model follows the highlighted item, not the current row: the row that focus
        // makes current when it enters the list is not a selection.
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list, name] {
            form_.setSelectedIndex(ListBox{name.constData()}, selectedRow(list));
        });
        // A click on the item that was already selected is a click all the same, once its
        // release leaves the item selected (Ctrl+click takes the selection away).
        connect(list, &QListWidget::clicked, this, [this, list, name](const QModelIndex& item) {
            if (item.row() == selectedAtPress_ && selectedRow(list) == item.row())
                form_.clickItem(ListBox{name.constData()}, item.row());
        });
        // A double click anywhere in the list counts, also below its last item.
        listViewports_.insert(list->viewport(), control);
        list->viewport()->installEventFilter(this);
        resetList(control);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->addItems(form_.items(ComboBox{name.constData()}));
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, name](const QString& text) {
            form_.setText(ComboBox{name.constData()}, text);
        });
        connect(combo, &QComboBox::activated, this,
                [this, name](int index) { form_.choose(ComboBox{name.constData()}, index); });
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        connect(button, &QPushButton::clicked, this,
                [this, control] { form_.clickByName(control); });
    }
    refresh(control);
}

void Binder::refresh(const QString& control) {
    QWidget* widget = widgets_.value(control);
    if (!widget)
        return;
    QByteArray storage;
    const char* name = id(control, storage);
    const QSignalBlocker blocker(widget);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const TextBox box{name};
        if (edit->text() != form_.text(box)) {
            edit->setMaxLength(noTypingLimit);
            edit->setText(form_.text(box));
        }
        fitTypingLimit(edit, form_.maxLength(box));
        edit->setReadOnly(form_.locked(box));
        widget->setVisible(form_.visible(box));
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        check->setChecked(form_.value(CheckBox{name}) == 1);
        widget->setVisible(form_.visible(CheckBox{name}));
    } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        option->setChecked(form_.selected(OptionButton{name}));
        widget->setVisible(form_.visible(OptionButton{name}));
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->setCurrentRow(form_.selectedIndex(ListBox{name}));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->currentText() != form_.text(ComboBox{name}))
            combo->setEditText(form_.text(ComboBox{name}));
    } else if (auto* picture = qobject_cast<QLabel*>(widget)) {
        QPixmap pixmap(form_.picture(PictureBox{name}));
        if (pixmap.isNull() && !form_.picture(PictureBox{name}).isEmpty())
            pixmap.load(placeholderPicture_);
        picture->setPixmap(pixmap);
    }
}

void Binder::addListItem(const QString& control, int index) {
    if (auto* list = qobject_cast<QListWidget*>(widgets_.value(control).data())) {
        QByteArray storage;
        list->insertItem(index, form_.items(ListBox{id(control, storage)}).at(index));
    }
}

void Binder::removeListItem(const QString& control, int index) {
    if (auto* list = qobject_cast<QListWidget*>(widgets_.value(control).data())) {
        const QSignalBlocker blocker(list);
        delete list->takeItem(index);
        refresh(control);
    }
}

void Binder::changeListItem(const QString& control, int index) {
    if (auto* list = qobject_cast<QListWidget*>(widgets_.value(control).data())) {
        QByteArray storage;
        if (QListWidgetItem* item = list->item(index))
            item->setText(form_.items(ListBox{id(control, storage)}).at(index));
    }
}

void Binder::resetList(const QString& control) {
    if (auto* list = qobject_cast<QListWidget*>(widgets_.value(control).data())) {
        QByteArray storage;
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(form_.items(ListBox{id(control, storage)}));
        refresh(control);
    }
}

} // namespace fd::ui
