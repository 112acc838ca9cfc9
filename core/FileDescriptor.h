#pragma once
// Closing a descriptor that may never have been opened.

#include <unistd.h>

namespace fd {

// Closes `fd` unless it is -1, what a failed open or socket call gives.
inline void closeIfOpen(int fd) {
    if (fd != -1)
        ::close(fd);
}

} // namespace fd
