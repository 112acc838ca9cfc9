#pragma once
// The platform services that the logic uses, behind small interfaces so that tests can
// replace them with recording fakes.

#include "Outcome.h"

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

// What starts a program: the file that runs, its whole argument list, the folder it runs in
// and its environment.
struct ProcessCommand {
    QString program;    // the program asked for, as a message names it
    QString executable; // what runs: the program itself, or a runner such as Wine
    QStringList arguments;
    QString workingFolder;
    QStringList environment; // "NAME=value" entries; empty: this program's own
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // The command that runs `program` with the arguments in the working folder, ready to
    // start; a failure, naming the file, when this system cannot run it.
    virtual Outcome<ProcessCommand> prepare(const QString& program, const QStringList& arguments,
                                            const QString& workingFolder) = 0;
    // Starts a prepared command detached, without waiting for it.
    virtual Outcome<> startDetached(const ProcessCommand& command) = 0;
};

class FolderChooser {
public:
    virtual ~FolderChooser() = default;
    // The system's folder chooser with the given title; the chosen folder, or nothing when
    // the user cancels.
    virtual std::optional<QString> chooseFolder(const QString& title) = 0;
};

} // namespace fd
