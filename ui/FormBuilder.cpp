#include "FormBuilder.h"

#include "ProgramLook.h"
#include "core/TextFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>

namespace fd::ui {

using layout::Colour;
using layout::Kind;
using layout::WidgetRow;

QRect pixels(const layout::Rect& place) {
    return {pixels(place.left), pixels(place.top), pixels(place.width), pixels(place.height)};
}

namespace {

// A label lies on its container, beneath every other control: it shows only where no visible
// control covers it.
class Label : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void showEvent(QShowEvent* event) override {
        QRegion uncovered(rect());
        for (const QWidget* other :
             parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!dynamic_cast<const Label*>(other) && !other->isHidden())
                uncovered -= other->geometry().translated(-pos());
        // An empty mask would show the whole label; one beside it shows none of it.
        setMask(uncovered.isEmpty() ? QRegion(-1, -1, 1, 1) : uncovered);
        QLabel::showEvent(event);
    }
};

// A text box takes no line break and no NUL (a paste of several lines): no setting can hold one.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return text::breaksLine(input) ? Invalid : Acceptable;
    }
};

QLineEdit* oneLine(QLineEdit* edit) {
    edit->setValidator(new OneLineValidator(edit));
    return edit;
}

// A run of two or more spaces after a sentence starts the next sentence on a new line.
QString sentencesOnTheirOwnLines(const QString& caption) {
    QString lines;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        lines += caption[i];
        if (caption[i] != u'.' && caption[i] != u'!' && caption[i] != u'?')
            continue;
        qsizetype spaces = 0;
        while (i + 1 + spaces < caption.size() && caption[i + 1 + spaces] == u' ')
            ++spaces;
        if (spaces >= 2) {
            lines += u'\n';
            i += spaces;
        }
    }
    return lines;
}

QWidget* create(const WidgetRow& row, QWidget* parent) {
    const QString caption = QString::fromUtf8(row.caption);
    switch (row.kind) {
    case Kind::Frame:
        return new QGroupBox(caption, parent);
    case Kind::Label: {
        auto* label = new Label(sentencesOnTheirOwnLines(caption), parent);
        label->setWordWrap(true);
        label->setAlignment((row.style & layout::Centred ? Qt::AlignHCenter : Qt::AlignLeft) |
                            Qt::AlignTop);
        return label;
    }
    case Kind::TextBox:
        return oneLine(new QLineEdit(parent));
    case Kind::CheckBox:
        return new QCheckBox(caption, parent);
    case Kind::Option:
        return new QRadioButton(caption, parent); // exclusive within its frame, as in the model
    case Kind::List:
        return new QListWidget(parent);
    case Kind::Combo: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        oneLine(combo->lineEdit());
        combo->setCompleter(nullptr); // the text typed is the text used, never completed
        return combo;
    }
    case Kind::Picture: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case Kind::Button:
        return new QPushButton(caption, parent);
    }
    return nullptr;
}

// Every widget gets its own font and colours: a frame's look does not pass to what it holds.
void applyLook(QWidget* widget, const WidgetRow& row) {
    widget->setFont(fontOf(row.font, row.style));

    // Each role set explicitly, so that none is taken from the container.
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        const QColor standard = QApplication::palette().color(role);
        palette.setColor(role, row.colour == Colour::Default ? standard : colourOf(row.colour));
    }
    widget->setPalette(palette);
    if (*row.tip)
        widget->setToolTip(QString::fromUtf8(row.tip));
}

} // namespace

void buildWidgets(QWidget* surface, std::span<const WidgetRow> table, int topOffsetTwips) {
    for (const WidgetRow& row : table) {
        // Every container is a frame made before (each table is checked when it compiles).
        const bool onSurface = row.container == layout::noFrame;
        QWidget* parent =
            onSurface ? surface
                      : surface->findChild<QWidget*>(QString::fromLatin1(row.container.text));
        QWidget* widget = create(row, parent);
        widget->setObjectName(QString::fromLatin1(row.name.objectName()));
        QRect place = pixels(row.place);
        if (onSurface)
            place.translate(0, -pixels(topOffsetTwips));
        widget->setGeometry(place);
        applyLook(widget, row);
        if (parent->isVisible())
            widget->show(); // Qt shows children by itself only when their parent is first shown
    }
}

void nameInputs(QWidget* surface, std::span<const layout::InputName> names) {
    for (const layout::InputName& name : names) {
        auto* input = surface->findChild<QWidget*>(QString::fromLatin1(name.input.name));
        if (!name.label) {
            input->setAccessibleName(QString::fromUtf8(name.name));
            continue;
        }
        auto* label = surface->findChild<QLabel*>(QString::fromLatin1(name.label));
        Q_ASSERT_X(label, name.label, "no such label");
        label->setBuddy(input);
        QString caption = label->text().simplified();
        if (caption.endsWith(u':'))
            caption.chop(1);
        input->setAccessibleName(caption);
    }
}

} // namespace fd::ui
