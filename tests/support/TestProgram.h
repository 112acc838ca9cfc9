#pragma once
// The whole program's logic with recording services, started as a user would start it: in a
// temporary application folder whose path.ini names a temporary game folder (its name holds a
// space, and it holds a stvoyHM.exe). For tests that need no display.
//
// The folders may outlive one run, so that a test can quit the program and start it again on
// the same application folder:
//     auto folders = std::make_shared<TestFolders>();
//     { TestProgram first(folders); ... }
//     TestProgram second(folders);

#include "Fakes.h"
#include "app/Program.h"
#include "core/Context.h"

#include <QTemporaryDir>

#include <memory>

namespace fd::test {

class TestFolders {
public:
    TestFolders();

    QString appFolder() const { return appDir_.path(); }
    QString gameFolder() const { return gameFolder_; }
    // A Wine prefix with no registry in it until a test writes one.
    QString winePrefix() const { return prefixDir_.path(); }

private:
    QTemporaryDir appDir_;
    QTemporaryDir gameDir_;
    QTemporaryDir prefixDir_;
    QString gameFolder_;
};

class TestProgram {
public:
    enum class Start { Now, Later };
    // Later: the folders are made and the controls declared, but the start-up sequence waits
    // for start(), so that a test can put files in place first.
    explicit TestProgram(std::shared_ptr<TestFolders> folders = std::make_shared<TestFolders>(),
                         Start when = Start::Now);
    explicit TestProgram(Start when) : TestProgram(std::make_shared<TestFolders>(), when) {}
    void start();

    std::shared_ptr<TestFolders> folders() const { return folders_; }
    QString appFolder() const { return folders_->appFolder(); }
    QString gameFolder() const { return folders_->gameFolder(); }
    // The game folder's data folder, created with the given spelling.
    QString makeDataFolder(const QString& name = QStringLiteral("baseEF"));
    // The bytes of a file under the game folder's data folder.
    QByteArray readGameFile(const QString& relative) const;

private:
    std::shared_ptr<TestFolders> folders_;

public:
    EventLog log;
    RecordingCues cues{log};
    RecordingMessages messages{log};
    RecordingLauncher launcher{log};
    ScriptedFolders chooser{log};
    Program program{
        {cues, messages, launcher, chooser}, folders_->appFolder(), folders_->winePrefix()};
    FormModel& form = program.form;
    SettingsStore& store = program.store;
    Context& ctx = program.ctx;
    EventLog startUp; // what the start-up sequence did; `log` begins after it
};

} // namespace fd::test
