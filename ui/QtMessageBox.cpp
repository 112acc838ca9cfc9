#include "QtMessageBox.h"

#include "core/Context.h"

#include <QApplication>
#include <QMessageBox>

namespace fd::ui {

void QtMessageBox::show(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(programTitle), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace fd::ui
