#pragma once
// The whole program with the system's real services, started from an application folder.

#include <QString>

namespace fd {

// Starts the program from `appFolder` and runs it until it ends; returns its exit code.
// Needs the QApplication to exist.
int runProgram(const QString& appFolder);

} // namespace fd
