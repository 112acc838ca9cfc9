#pragma once
// The whole program with the system's real services, started from an application folder.

#include "core/AppFolders.h"

namespace fd {

// Starts the program with its application folders and runs it until it ends; returns its exit
// code. Needs the QApplication to exist.
int runProgram(const AppFolders& appFolders);

} // namespace fd
