#pragma once
// Services that do nothing: for tools and benchmarks that run the program's logic without
// sound, messages or starting the game.

#include "core/Services.h"

namespace fd {

class NullServices : public CuePlayer, public MessageBox, public ProcessLauncher {
public:
    void play(const QString&, Mode) override {}
    void show(const QString&) override {}
    QString start(const QString&, const QStringList&, const QString&) override { return {}; }
};

} // namespace fd
