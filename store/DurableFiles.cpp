#include "DurableFiles.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace fd::durable {

QString journalOf(const QString& path) {
    return path + QStringLiteral("-journal");
}

bool exists(const QString& path) {
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

StoreStep failed(const QString& what) {
    return {StoreStep::Failed, what};
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

StoreStep removeFile(const QString& path) {
    if (!exists(path) || QFile::remove(path))
        return {};
    return failed(QStringLiteral("Could not remove the file \"%1\".").arg(path));
}

StoreStep removeWithJournal(const QString& path) {
    StoreStep step = removeFile(path);
    return step.ok() ? removeFile(journalOf(path)) : step;
}

StoreStep renameFile(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return failed(
            QStringLiteral("Could not rename \"%1\" to \"%2\": %3").arg(from, to, systemError()));
    return {};
}

StoreStep renameOver(const QString& from, const QString& to, const QString& folder) {
    StoreStep step = renameFile(from, to);
    if (step.ok())
        syncToDisk(folder);
    return step;
}

} // namespace fd::durable
