#pragma once
// The store's lock file dock.ldb: made when the store opens, removed when it closes, and held
// with an advisory lock that the system drops when the process ends in any way. A lock file
// that nobody holds was left by a crash; one that is held means another copy runs.

#include "core/Outcome.h"

#include <QString>

namespace fd {

class StoreLock {
public:
    // Whether a running process holds the lock file at the path; a file nobody holds is removed.
    static bool heldElsewhere(const QString& path);

    StoreLock() = default;
    ~StoreLock() { release(); }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    // Makes and holds the lock file (never through a link at its name).
    Outcome<> take(const QString& path);
    // Removes the lock file and lets it go.
    void release();

private:
    int fd_ = -1;
    QString path_;
};

} // namespace fd
