#pragma once
// Plays cues with ALSA's aplay in a process of its own, so that the program never loads a
// sound stack. A cue played to its end is waited for at most its length and a small margin.

#include "Services.h"

namespace fd {

class SystemCuePlayer : public CuePlayer {
public:
    explicit SystemCuePlayer(QString appFolder);
    void play(const QString& cueFile, Mode mode = Background) override;

    // How long the wave file plays, in milliseconds; none when it is not a readable wave file.
    static std::optional<int> durationMs(const QString& path);

private:
    QString appFolder_;
};

} // namespace fd
