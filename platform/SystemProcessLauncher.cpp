#include "SystemProcessLauncher.h"

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

QString SystemProcessLauncher::start(const QString& program, const QStringList& arguments,
                                     const QString& workingFolder) {
    const QFileInfo info(program);
    if (!info.isFile())
        return QStringLiteral("The game program was not found: \"%1\"").arg(program);

    QString executable = program;
    QStringList fullArguments = arguments;
    QStringList environment;
    if (isWindowsProgram(program)) {
        executable = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (executable.isEmpty())
            return QStringLiteral("\"%1\" is a Windows program and Wine is not installed to run "
                                  "it (install the Debian package wine).")
                .arg(program);
        fullArguments.prepend(program);
        if (!winePrefix_.isEmpty()) {
            QProcessEnvironment withPrefix = QProcessEnvironment::systemEnvironment();
            withPrefix.insert(QStringLiteral("WINEPREFIX"), winePrefix_);
            environment = withPrefix.toStringList();
        }
    } else if (!info.isExecutable()) {
        return QStringLiteral("The game program is not executable: \"%1\"").arg(program);
    }

    return launch(program, {executable, fullArguments, workingFolder, environment});
}

QString SystemProcessLauncher::launch(const QString& program, const Command& command) {
    QProcess process;
    process.setProgram(command.executable);
    process.setArguments(command.arguments);
    process.setWorkingDirectory(command.workingFolder);
    if (!command.environment.isEmpty())
        process.setEnvironment(command.environment);
    if (!process.startDetached())
        return QStringLiteral("The game program could not be started: \"%1\" (%2)")
            .arg(program, process.errorString());
    return {};
}

} // namespace fd
