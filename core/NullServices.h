#pragma once
// Services that do nothing: for tools and benchmarks that run the program's logic without
// sound, messages, choosers or starting the game.

#include "core/Services.h"

namespace fd {

class NullServices : public CuePlayer,
                     public MessageBox,
                     public ProcessLauncher,
                     public FolderChooser {
public:
    void play(const QString&, Mode) override {}
    void show(const QString&) override {}
    QString start(const QString&, const QStringList&, const QString&) override { return {}; }
    std::optional<QString> chooseFolder(const QString&) override { return std::nullopt; }
};

} // namespace fd
