#pragma once
// Starts the game detached. A Windows program (a file that begins with "MZ") is started
// through Wine; anything else must be a program this system can run itself.

#include "Services.h"

namespace fd {

class SystemProcessLauncher : public ProcessLauncher {
public:
    QString start(const QString& program, const QStringList& arguments,
                  const QString& workingFolder) override;
};

} // namespace fd
