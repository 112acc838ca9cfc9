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
    Outcome<ProcessCommand> prepare(const QString& program, const QStringList& arguments,
                                    const QString& workingFolder) override {
        return ProcessCommand{program, program, arguments, workingFolder, {}};
    }
    Outcome<> startDetached(const ProcessCommand&) override { return Outcome<>::success(); }
    std::optional<QString> chooseFolder(const QString&) override { return std::nullopt; }
};

} // namespace fd
