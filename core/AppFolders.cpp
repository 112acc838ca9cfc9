#include "AppFolders.h"

#include "PathResolver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fd {

namespace {

// The data an installed program shares, relative to the folder of its executable.
constexpr const char* sharedData = "../share/fragdocker";

} // namespace

QString AppFolders::dataFile(const QString& relative) const {
    PathResolver files;
    const QString own = files.resolveIn(writable, relative);
    if (installed() && files.isFile(own))
        return own;
    return files.resolveIn(shipped, relative);
}

AppFolders appFoldersOf(const QString& programFolder, const QString& dataHome) {
    const QFileInfo shared(QDir(programFolder).filePath(QString::fromLatin1(sharedData)));
    if (QFileInfo(programFolder).fileName() != u"bin" || !shared.isDir())
        return AppFolders(programFolder);
    return {QDir::cleanPath(shared.absoluteFilePath()),
            QDir::cleanPath(dataHome + QStringLiteral("/fragdocker"))};
}

QString dataHomeInUse() {
    const QString set = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(set)) // a relative one is to be ignored
        return set;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

AppFolders runningProgramFolders() {
    return appFoldersOf(QCoreApplication::applicationDirPath(), dataHomeInUse());
}

Outcome<> makeWritableFolder(const AppFolders& folders) {
    // Made private (0700): the store and the list files in it hold passwords.
    const QString& folder = folders.writable;
    constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (QFileInfo(folder).isDir() ||
        (QDir().mkpath(QFileInfo(folder).absolutePath()) && QDir().mkdir(folder, ownerOnly)))
        return Outcome<>::success();
    return failed(QStringLiteral("Could not create the folder \"%1\".").arg(folders.writable));
}

} // namespace fd
