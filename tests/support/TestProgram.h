#pragma once
// The whole program's logic with recording services, started as a user would start it: in a
// temporary application folder whose path.ini names a temporary game folder (its name holds a
// space, and it holds a stvoyHM.exe). For tests that need no display.

#include "Fakes.h"
#include "core/Context.h"

#include <QTemporaryDir>

namespace fd::test {

class TestProgram {
public:
    enum class Start { Now, Later };
    // Later: the folders are made and the controls declared, but the start-up sequence waits
    // for start(), so that a test can put files in place first.
    explicit TestProgram(Start when = Start::Now);
    void start();

    QString appFolder() const { return appDir_.path(); }
    QString gameFolder() const { return gameFolder_; }
    // The game folder's data folder, created with the given spelling.
    QString makeDataFolder(const QString& name = QStringLiteral("baseEF"));
    // The bytes of a file under the game folder's data folder.
    QByteArray readGameFile(const QString& relative) const;

    EventLog log;
    RecordingCues cues{log};
    RecordingMessages messages{log};
    RecordingLauncher launcher{log};
    FormModel form;
    Context ctx{form, cues, messages, launcher, QString()};

private:
    QTemporaryDir appDir_;
    QTemporaryDir gameDir_;
    QString gameFolder_;
};

} // namespace fd::test
