#include "DurableFiles.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fd::durable {

QString journalOf(const QString& path) {
    return path + QStringLiteral("-journal");
}

bool exists(const QString& path) {
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

Outcome<> removeFile(const QString& path) {
    if (!exists(path) || QFile::remove(path))
        return Outcome<>::success();
    return failed(QStringLiteral("Could not remove the file \"%1\".").arg(path));
}

Outcome<> removeWithJournal(const QString& path) {
    Outcome<> removed = removeFile(path);
    return removed.ok() ? removeFile(journalOf(path)) : removed;
}

Outcome<> renameFile(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return failed(
            QStringLiteral("Could not rename \"%1\" to \"%2\": %3").arg(from, to, systemError()));
    return Outcome<>::success();
}

Outcome<> renameOver(const QString& from, const QString& to, const QString& folder) {
    Outcome<> renamed = renameFile(from, to);
    if (renamed.ok())
        // The new name stands; a folder the system cannot sync still holds it.
        (void)syncToDisk(folder);
    return renamed;
}

Outcome<> createPrivate(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd == -1)
        return failed(
            QStringLiteral("Could not create the file \"%1\": %2").arg(path, systemError()));
    ::close(fd);
    return Outcome<>::success();
}

bool makePrivate(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    return ::stat(name.constData(), &info) == 0 &&
           ((info.st_mode & 07777) == 0600 || ::chmod(name.constData(), 0600) == 0);
}

} // namespace fd::durable
