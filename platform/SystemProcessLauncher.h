#pragma once
// Starts the game detached. A Windows program (a file that begins with "MZ") is started
// through Wine, in the Wine prefix given; anything else must be a program this system can run
// itself.

#include "core/Services.h"

namespace fd {

class SystemProcessLauncher : public ProcessLauncher {
public:
    // Windows programs run in the given Wine prefix; with none, in Wine's own choice.
    explicit SystemProcessLauncher(QString winePrefix = {}) : winePrefix_(std::move(winePrefix)) {}
    QString start(const QString& program, const QStringList& arguments,
                  const QString& workingFolder) override;

protected:
    // What starts the game: Wine and the program, or the program itself.
    struct Command {
        QString executable;
        QStringList arguments;
        QString workingFolder;
        QStringList environment; // "NAME=value" entries; empty: this program's own
    };
    // Runs the command, here detached; empty text, or what failed, naming `program`.
    virtual QString launch(const QString& program, const Command& command);

private:
    QString winePrefix_;
};

} // namespace fd
