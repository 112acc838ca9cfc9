#pragma once
// Plays cues with ALSA's aplay in a process of its own, so that the program never loads a
// sound stack. A cue played to its end is waited for at most its length and a small margin.
// A background cue's player is spawned without copying the program (a fork of the whole
// program cost more than the rest of its start-up steps together) and reaped at a later cue or
// when the player object goes.

#include "core/Services.h"

#include <vector>

namespace fd {

class SystemCuePlayer : public CuePlayer {
public:
    explicit SystemCuePlayer(QString appFolder);
    ~SystemCuePlayer() override;
    SystemCuePlayer(const SystemCuePlayer&) = delete;
    SystemCuePlayer& operator=(const SystemCuePlayer&) = delete;
    void play(const QString& cueFile, Mode mode = Background) override;

    // How long the wave file plays, in milliseconds; none when it is not a readable wave file.
    static std::optional<int> durationMs(const QString& path);

private:
    void spawnInBackground(const QString& path);
    void reapFinished();

    QString appFolder_;
    std::vector<int> playing_; // process ids of background cues not yet reaped
};

} // namespace fd
