#pragma once
// The Wine prefix the game is installed in and runs in.

#include <QString>

namespace fd {

// The folder WINEPREFIX names when it is set, else Wine's default ~/.wine.
QString winePrefixInUse();

} // namespace fd
