#include "SmallWindow.h"

#include "Binder.h"
#include "FormBuilder.h"

#include <QCloseEvent>

namespace fd::ui {

const SmallWindowSpec& gamePathDialog() {
    static const SmallWindowSpec look{"frmGamePath",
                                      "Fragdocker Game Path",
                                      {0, 0, 7380, 3465},
                                      SmallWindowSpec::Dialog,
                                      layout::gamePathDialog()};
    return look;
}

const SmallWindowSpec& errorMapNotice() {
    static const SmallWindowSpec look{"frmErrorMap",
                                      "!ERROR",
                                      {0, 0, 3525, 1365},
                                      SmallWindowSpec::NoticeWithoutTaskbarEntry,
                                      layout::errorMapNotice(),
                                      layout::Colour::LightGrey};
    return look;
}

const SmallWindowSpec& runningNotice() {
    static const SmallWindowSpec look{"frmFragdockerRunning",
                                      "!ERROR 101",
                                      {0, 0, 2910, 1485},
                                      SmallWindowSpec::Notice,
                                      layout::runningNotice()};
    return look;
}

SmallWindow::SmallWindow(FormModel& form, const SmallWindowSpec& look) {
    const QString name = QString::fromLatin1(look.name);
    setObjectName(name);
    setWindowTitle(QString::fromLatin1(look.caption));
    const Qt::WindowFlags noCloseButton = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (look.frame) {
    case SmallWindowSpec::Dialog:
        setWindowFlags(Qt::Dialog);
        break;
    case SmallWindowSpec::Notice:
        setWindowFlags(Qt::Dialog | noCloseButton);
        break;
    case SmallWindowSpec::NoticeWithoutTaskbarEntry:
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
