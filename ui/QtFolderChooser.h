#pragma once

#include "core/Services.h"

namespace fd::ui {

// The system's folder chooser, over the active window, starting in the home folder.
class QtFolderChooser : public FolderChooser {
public:
    std::optional<QString> chooseFolder(const QString& title) override;
};

} // namespace fd::ui
