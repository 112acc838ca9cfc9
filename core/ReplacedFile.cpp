#include "ReplacedFile.h"

#include "FileDescriptor.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fd {

namespace {

constexpr mode_t privateMode = 0600;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// The file at the path opened for writing over, when it is a regular file of ours with no
// other name, made private; -1 for anything else (nothing, a link, a device, someone's file).
int openOwnFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd == -1)
        return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1 ||
        info.st_uid != ::geteuid() ||
        ((info.st_mode & 07777) != privateMode && ::fchmod(fd, privateMode) != 0)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A new empty file at the path, after whatever lay there is removed; -1 when someone put
// something there again in between.
int createFresh(const QByteArray& path) {
    ::unlink(path.constData()); // a leftover, a link or nothing: the exclusive open decides
    return ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  privateMode);
}

} // namespace

Outcome<> syncToDisk(const QString& path) {
    const auto notSynced = [&path](int error) {
        return failed(QStringLiteral("Could not write \"%1\" to disk: %2")
                          .arg(path, QString::fromLocal8Bit(std::strerror(error))));
    };
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd == -1)
        return notSynced(errno);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    return synced ? Outcome<>::success() : notSynced(error);
}

QString ReplacedFile::besidePath(const QString& path) {
    return path + QStringLiteral(".new");
}

ReplacedFile::ReplacedFile(const QString& path, Sync sync, Keep keep)
    : path_(path), beside_(besidePath(path)), previous_(path + QStringLiteral(".old")), sync_(sync),
      keep_(keep) {
    const QByteArray beside = encoded(beside_);
    if (keep_ == Keep::Previous) {
        std::rename(encoded(previous_).constData(), beside.constData()); // if there
        fd_ = openOwnFile(beside);
    }
    if (fd_ == -1)
        fd_ = createFresh(beside);
    if (fd_ == -1)
        (void)fail(); // kept, and reported by finish()
}

ReplacedFile::~ReplacedFile() {
    closeIfOpen(fd_);
    // Whatever is left beside: a file never put in place, or the old content an exchange left
    // there when it could not be kept as the previous one. Once in place, nothing is.
    ::unlink(encoded(beside_).constData());
}

Outcome<> ReplacedFile::write(QByteArrayView bytes) {
    Outcome<> written = writeAt(size_, bytes);
    if (written.ok())
        size_ += bytes.size();
    return written;
}

Outcome<> ReplacedFile::rewrite(QByteArrayView bytes) {
    Outcome<> written = writeAt(0, bytes);
    if (written.ok())
        size_ = bytes.size();
    return written;
}

Outcome<> ReplacedFile::writeAt(qint64 offset, QByteArrayView bytes) {
    if (failure_)
        return state();
    qint64 done = 0;
    while (done < bytes.size()) {
        errno = ENOSPC; // stays when a write takes nothing: the disk took nothing more
        const ssize_t written =
            ::pwrite(fd_, bytes.data() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (written == -1 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail();
        done += written;
    }
    return Outcome<>::success();
}

QByteArray ReplacedFile::content() const {
    QByteArray bytes(size_, Qt::Uninitialized);
    const ssize_t read = fd_ == -1 ? -1 : ::pread(fd_, bytes.data(), size_t(size_), 0);
    return read == size_ ? bytes : QByteArray();
}

Outcome<> ReplacedFile::finish() {
    if (failure_)
        return state();
    if (keep_ == Keep::Previous && ::ftruncate(fd_, off_t(size_)) != 0)
        return fail(); // written over an older content, which may have been longer
    if (sync_ == Sync::ToDisk && ::fsync(fd_) != 0)
        return fail();
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? state() : fail();
}

Outcome<> ReplacedFile::putInPlace() {
    if (failure_)
        return state();
    const QByteArray beside = encoded(beside_), path = encoded(path_);
    // Exchanged, the old content stays beside for the next time; where the file system cannot
    // exchange, or there is no old file, the new one simply takes the name. Either way a link
    // at the name is replaced, never followed.
    if (keep_ == Keep::Previous &&
        ::renameat2(AT_FDCWD, beside.constData(), AT_FDCWD, path.constData(), RENAME_EXCHANGE) == 0)
        std::rename(beside.constData(), encoded(previous_).constData()); // else reused as .new
    else if (std::rename(beside.constData(), path.constData()) != 0)
        return fail();
    if (sync_ == Sync::ToDisk)
        // The new name stands; a folder the system cannot sync still holds it.
        (void)syncToDisk(QFileInfo(path_).absolutePath());
    return Outcome<>::success();
}

Outcome<> ReplacedFile::commit() {
    if (Outcome<> finished = finish(); !finished.ok())
        return finished;
    return putInPlace();
}

Outcome<> ReplacedFile::fail() {
    if (!failure_)
        failure_ = fd::failed(QStringLiteral("Could not write the file \"%1\": %2")
                                  .arg(path_, QString::fromLocal8Bit(std::strerror(errno))));
    return *failure_;
}

Outcome<> ReplacedFile::state() const {
    return failure_ ? Outcome<>(*failure_) : Outcome<>::success();
}

} // namespace fd
