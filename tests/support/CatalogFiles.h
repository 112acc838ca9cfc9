#pragma once
// Catalogue files, map files and pictures laid out for a test program.

#include "core/TextFile.h"

#include <QDir>
#include <QFile>

#include <QFileInfo>
#include <sys/stat.h>

namespace fd::test {

// Writes a text file, creating its folders; lines as given, separated by LF.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The bytes of a file; "(missing)" when there is none, to tell it from an empty one.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The mode of a regular file at the path (0600), or -1 for anything else: a link, nothing.
inline int regularFileMode(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return int(info.st_mode & 07777);
}

// The inode of the file at the path, links followed; 0 when there is none.
inline ino_t inodeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

inline void touch(const QString& path) {
    writeFile(path, {});
}

// One catalogue record, separator included.
inline QString mapRecord(const QString& mapFile, const QString& listName, const QString& mapName,
                         const QString& players, const QString& ctfFlag,
                         const QString& pictureFile) {
    return QStringList{
               QStringLiteral("'------"), mapFile, listName, mapName, players, ctfFlag, pictureFile}
               .join(u'\n') +
           u'\n';
}

} // namespace fd::test
