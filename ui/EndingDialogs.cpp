#include "EndingDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace fd::ui {

namespace {

void cancelLater(QDialog* dialog) {
    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
}

class DialogCanceller : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<QDialog*>(watched))
                cancelLater(dialog);
        return false;
    }
};

} // namespace

void closeDialogsFromNowOn() {
    static DialogCanceller* canceller = nullptr;
    if (canceller)
        return;
    canceller = new DialogCanceller(QApplication::instance());
    QApplication::instance()->installEventFilter(canceller);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            cancelLater(dialog);
}

} // namespace fd::ui
