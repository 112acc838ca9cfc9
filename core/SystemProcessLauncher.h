#pragma once
// Starts the game detached. A Windows program (a file that begins with "MZ") is started
// through Wine; anything else must be a program this system can run itself.

#include "Services.h"

namespace fd {

class SystemProcessLauncher : public ProcessLauncher {
public:
    QString start(const QString& program, const QStringList& arguments,
                  const QString& workingFolder) override;

protected:
    // Runs the command that starts `program` (Wine and the program, or the program itself),
    // here detached; empty text, or what failed, naming `program`.
    virtual QString launch(const QString& program, const QString& executable,
                           const QStringList& arguments, const QString& workingFolder);
};

} // namespace fd
