#pragma once
// The platform services that the logic uses, behind small interfaces so that tests can
// replace them with recording fakes.

#include <QString>
#include <QStringList>

#include <optional>

namespace fd {

class CuePlayer {
public:
    enum Mode { Background, ToEnd };
    virtual ~CuePlayer() = default;
    // Plays a cue of the WAVS folder. A missing file or no audio device: silently nothing.
    virtual void play(const QString& cueFile, Mode mode = Background) = 0;
};

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // A modal message with the program's name as title and an OK button only.
    virtual void show(const QString& text) = 0;
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts a program detached, in the given working folder, without waiting for it.
    // Returns empty text on success, else what failed, naming the file concerned.
    virtual QString start(const QString& program, const QStringList& arguments,
                          const QString& workingFolder) = 0;
};

class FolderChooser {
public:
    virtual ~FolderChooser() = default;
    // The system's folder chooser with the given title; the chosen folder, or nothing when
    // the user cancels.
    virtual std::optional<QString> chooseFolder(const QString& title) = 0;
};

} // namespace fd
