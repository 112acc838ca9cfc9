#include "StoreLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fd {

namespace {

// Opens the lock file; made, a link someone put at its name is replaced, never followed.
int openLockFile(const QString& path, int flags) {
    const QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | flags, 0600);
    if (fd == -1 && errno == ELOOP && (flags & O_CREAT) && ::unlink(name.constData()) == 0)
        fd = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | flags, 0600);
    return fd;
}

bool lockNow(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// Whether the open file is still the one at the path, not one that replaced it since.
bool isAt(int fd, const QString& path) {
    struct stat opened {
    }, named{};
    return ::fstat(fd, &opened) == 0 && ::stat(QFile::encodeName(path).constData(), &named) == 0 &&
           opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
}

} // namespace

bool StoreLock::heldElsewhere(const QString& path) {
    const int fd = openLockFile(path, 0);
    if (fd == -1)
        return false;
    const bool held = !lockNow(fd);
    if (!held && isAt(fd, path))
        ::unlink(QFile::encodeName(path).constData()); // left by a program that ended in a crash
    ::close(fd);
    return held;
}

Outcome<> StoreLock::take(const QString& path) {
    release();
    const auto notTaken = [&path](const QString& reason) {
        return failed(
            QStringLiteral("Could not create the lock file \"%1\": %2").arg(path, reason));
    };
    const int fd = openLockFile(path, O_CREAT);
    if (fd == -1)
        return notTaken(QString::fromLocal8Bit(std::strerror(errno)));
    if (!lockNow(fd)) {
        ::close(fd);
        return notTaken(QStringLiteral("another copy of the program holds it"));
    }
    fd_ = fd;
    path_ = path;
    return Outcome<>::success();
}

void StoreLock::release() {
    if (fd_ == -1)
        return;
    ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
    fd_ = -1;
}

} // namespace fd
