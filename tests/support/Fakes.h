#pragma once
// Recording stand-ins for the platform services. All of them write into one shared log, so a
// test can assert the order of cues, messages and starts: "cue beep.wav", "message ...".

#include "core/Services.h"

#include <QStringList>

#include <functional>

namespace fd::test {

struct EventLog {
    QStringList events;
    QStringList only(const QString& prefix) const {
        QStringList matching;
        for (const QString& event : events)
            if (event.startsWith(prefix))
                matching << event.mid(prefix.size());
        return matching;
    }
    QStringList cues() const { return only(QStringLiteral("cue ")); }
    QStringList messages() const { return only(QStringLiteral("message ")); }
};

class RecordingCues : public CuePlayer {
    EventLog& log_;

public:
    explicit RecordingCues(EventLog& log) : log_(log) {}
    void play(const QString& cueFile, Mode mode) override {
        log_.events << QStringLiteral("cue ") + cueFile +
                           (mode == ToEnd ? QStringLiteral(" (to end)") : QString());
        if (whilePlaying)
            whilePlaying(cueFile);
    }
    // Runs while a cue plays, to look at the program at that moment.
    std::function<void(const QString&)> whilePlaying;
};

class RecordingMessages : public MessageBox {
    EventLog& log_;

public:
    explicit RecordingMessages(EventLog& log) : log_(log) {}
    void show(const QString& text) override { log_.events << QStringLiteral("message ") + text; }
};

class RecordingLauncher : public ProcessLauncher {
    EventLog& log_;

public:
    explicit RecordingLauncher(EventLog& log) : log_(log) {}
    Outcome<ProcessCommand> prepare(const QString& startedProgram,
                                    const QStringList& startedArguments,
                                    const QString& startedIn) override {
        return ProcessCommand{startedProgram, startedProgram, startedArguments, startedIn, {}};
    }
    Outcome<> startDetached(const ProcessCommand& command) override {
        log_.events << QStringLiteral("start ") + command.program;
        program = command.program;
        arguments = command.arguments;
        workingFolder = command.workingFolder;
        return failure.isEmpty() ? Outcome<>::success() : fd::failed(failure);
    }
    QString program, workingFolder;
    QStringList arguments;
    QString failure; // what the next start reports; empty for success
};

// The folder chooser answers with the folders queued in `answers`, in turn; with none left, or
// a null text queued, the user cancels.
class ScriptedFolders : public FolderChooser {
    EventLog& log_;

public:
    explicit ScriptedFolders(EventLog& log) : log_(log) {}
    std::optional<QString> chooseFolder(const QString& title) override {
        log_.events << QStringLiteral("chooser ") + title;
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        return answer.isNull() ? std::nullopt : std::optional<QString>(answer);
    }
    QStringList answers;
};

} // namespace fd::test
