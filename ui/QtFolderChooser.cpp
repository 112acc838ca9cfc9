#include "QtFolderChooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace fd::ui {

std::optional<QString> QtFolderChooser::chooseFolder(const QString& title) {
    const QString folder =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, QDir::homePath());
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

} // namespace fd::ui
