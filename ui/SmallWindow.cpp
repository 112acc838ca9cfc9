#include "SmallWindow.h"

#include "Binder.h"
#include "FormBuilder.h"
#include "ProgramLook.h"

#include <QCloseEvent>

namespace fd::ui {

const SmallWindowLayout& gamePathDialog() {
    static const SmallWindowLayout look{"frmGamePath",
                                        "Fragdocker Game Path",
                                        {0, 0, 7380, 3465},
                                        SmallWindowLayout::Dialog,
                                        layout::gamePathDialogRows()};
    return look;
}

const SmallWindowLayout& errorMapNotice() {
    static const SmallWindowLayout look{"frmErrorMap",
                                        "!ERROR",
                                        {0, 0, 3525, 1365},
                                        SmallWindowLayout::NoticeWithoutTaskbarEntry,
                                        layout::errorMapNoticeRows(),
                                        layout::Colour::LightGrey};
    return look;
}

const SmallWindowLayout& runningNotice() {
    static const SmallWindowLayout look{"frmFragdockerRunning",
                                        "!ERROR 101",
                                        {0, 0, 2910, 1485},
                                        SmallWindowLayout::Notice,
                                        layout::runningNoticeRows()};
    return look;
}

SmallWindow::SmallWindow(FormModel& form, const SmallWindowLayout& look) {
    const QString name = QString::fromLatin1(look.name);
    setObjectName(name);
    setWindowTitle(QString::fromLatin1(look.caption));
    const Qt::WindowFlags noCloseButton = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (look.frame) {
    case SmallWindowLayout::Dialog:
        setWindowFlags(Qt::Dialog);
        break;
    case SmallWindowLayout::Notice:
        setWindowFlags(Qt::Dialog | noCloseButton);
        break;
    case SmallWindowLayout::NoticeWithoutTaskbarEntry:
        setWindowFlags(Qt::Tool | noCloseButton);
        break;
    }
    setFixedSize(pixels(look.client).size());
    if (look.background != layout::Colour::Default) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, colourOf(look.background));
        setPalette(palette);
        setAutoFillBackground(true);
    }
    buildWidgets(this, look.widgets);
    new Binder(form, this, name + u'.');
}

void SmallWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT closeRequested();
}

} // namespace fd::ui
