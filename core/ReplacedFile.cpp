#include "ReplacedFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace fd {

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

} // namespace

bool syncToDisk(const QString& path) {
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

QString ReplacedFile::besidePath(const QString& path) {
    return path + QStringLiteral(".new");
}

ReplacedFile::ReplacedFile(const QString& path, Sync sync, Keep keep)
    : path_(path), beside_(besidePath(path)), previous_(path + QStringLiteral(".old")), sync_(sync),
      keep_(keep) {
    int flags = O_RDWR | O_CREAT | O_CLOEXEC;
    if (keep_ == Keep::Previous)
        std::rename(encoded(previous_).constData(), encoded(beside_).constData()); // if there
    else
        flags |= O_TRUNC;
    fd_ = ::open(encoded(beside_).constData(), flags, 0666);
    if (fd_ < 0)
        fail();
}

ReplacedFile::~ReplacedFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!placed_)
        ::unlink(encoded(beside_).constData());
}

bool ReplacedFile::write(QByteArrayView bytes) {
    if (!writeAt(size_, bytes))
        return false;
    size_ += bytes.size();
    return true;
}

bool ReplacedFile::rewrite(QByteArrayView bytes) {
    if (!writeAt(0, bytes))
        return false;
    size_ = bytes.size();
    return true;
}

bool ReplacedFile::writeAt(qint64 offset, QByteArrayView bytes) {
    if (!error_.isEmpty())
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::pwrite(fd_, bytes.data() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC; // the disk took nothing more
            return fail();
        }
        done += written;
    }
    return true;
}

QByteArray ReplacedFile::content() const {
    QByteArray bytes(size_, Qt::Uninitialized);
    const ssize_t read = fd_ < 0 ? -1 : ::pread(fd_, bytes.data(), size_t(size_), 0);
    return read == size_ ? bytes : QByteArray();
}

bool ReplacedFile::finish() {
    if (!error_.isEmpty())
        return false;
    if (keep_ == Keep::Previous && ::ftruncate(fd_, off_t(size_)) != 0)
        return fail(); // written over an older content, which may have been longer
    if (sync_ == Sync::ToDisk && ::fsync(fd_) != 0)
        return fail();
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 || fail();
}

bool ReplacedFile::putInPlace() {
    if (!error_.isEmpty())
        return false;
    const QByteArray beside = encoded(beside_), path = encoded(path_);
    // Exchanged, the old content stays beside for the next time; where the file system cannot
    // exchange, or there is no old file, the new one simply takes the name.
    if (keep_ == Keep::Previous &&
        ::renameat2(AT_FDCWD, beside.constData(), AT_FDCWD, path.constData(), RENAME_EXCHANGE) == 0)
        std::rename(beside.constData(), encoded(previous_).constData());
    else if (std::rename(beside.constData(), path.constData()) != 0)
        return fail();
    placed_ = true;
    if (sync_ == Sync::ToDisk)
        syncToDisk(QFileInfo(path_).absolutePath());
    return true;
}

QString ReplacedFile::commit() {
    if (finish())
        putInPlace();
    return error_;
}

bool ReplacedFile::fail() {
    if (error_.isEmpty())
        error_ = QStringLiteral("Could not write the file \"%1\": %2")
                     .arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

} // namespace fd
