#include "SmallWindow.h"

#include "Binder.h"
#include "FormBuilder.h"

#include <QCloseEvent>

namespace fd::ui {

const SmallWindowSpec& gamePathDialog() {
    static const SmallWindowSpec spec{
        "frmGamePath", "Fragdocker Game Path", {0, 0, 7380, 3465}, true, layout::gamePathDialog()};
    return spec;
}

const SmallWindowSpec& errorMapNotice() {
    static const SmallWindowSpec spec{"frmErrorMap",
                                      "!ERROR",
                                      {0, 0, 3525, 1365},
                                      false,
                                      layout::errorMapNotice(),
                                      layout::Colour::LightGrey};
    return spec;
}

const SmallWindowSpec& runningNotice() {
    static const SmallWindowSpec spec{
        "frmFragdockerRunning", "!ERROR 101", {0, 0, 2910, 1485}, false, layout::runningNotice()};
    return spec;
}

SmallWindow::SmallWindow(FormModel& form, const SmallWindowSpec& spec) {
    const QString name = QString::fromLatin1(spec.name);
    setObjectName(name);
    setWindowTitle(QString::fromLatin1(spec.caption));
    Qt::WindowFlags flags = Qt::Dialog;
    if (!spec.closeButton)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    setWindowFlags(flags);
    setFixedSize(pixels(spec.client).size());
    if (spec.background != layout::Colour::Default) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, colourOf(spec.background));
        setPalette(palette);
        setAutoFillBackground(true);
    }
    buildWidgets(this, spec.widgets);
    new Binder(form, this, name + u'.');
}

void SmallWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT closeRequested();
}

} // namespace fd::ui
