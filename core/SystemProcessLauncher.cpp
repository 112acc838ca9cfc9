#include "SystemProcessLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace fd {

namespace {
bool isWindowsProgram(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "MZ";
}
} // namespace

QString winePrefixInUse() {
    const QString named = qEnvironmentVariable("WINEPREFIX");
    return named.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : named;
}

QString SystemProcessLauncher::start(const QString& program, const QStringList& arguments,
                                     const QString& workingFolder) {
    const QFileInfo info(program);
    if (!info.isFile())
        return QStringLiteral("The game program was not found: \"%1\"").arg(program);

    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    if (isWindowsProgram(program)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (wine.isEmpty())
            return QStringLiteral("\"%1\" is a Windows program and Wine is not installed to run "
                                  "it (install the Debian package wine).")
                .arg(program);
        process.setProgram(wine);
        process.setArguments(QStringList{program} + arguments);
        if (!winePrefix_.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("WINEPREFIX"), winePrefix_);
            process.setProcessEnvironment(environment);
        }
    } else if (!info.isExecutable()) {
        return QStringLiteral("The game program is not executable: \"%1\"").arg(program);
    }
    if (!process.startDetached())
        return QStringLiteral("The game program could not be started: \"%1\" (%2)")
            .arg(program, process.errorString());
    return {};
}

} // namespace fd
