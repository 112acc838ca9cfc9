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

Outcome<ProcessCommand> SystemProcessLauncher::prepare(const QString& program,
                                                       const QStringList& arguments,
                                                       const QString& workingFolder) {
    const QFileInfo info(program);
    if (!info.isFile())
        return refused(QStringLiteral("The game program was not found: \"%1\"").arg(program));
    ProcessCommand command{program, program, arguments, workingFolder, {}};
    if (!isWindowsProgram(program)) {
        if (!info.isExecutable())
            return refused(
                QStringLiteral("The game program is not executable: \"%1\"").arg(program));
        return command;
    }
    command.executable = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (command.executable.isEmpty())
        return refused(QStringLiteral("\"%1\" is a Windows program and Wine is not installed to "
                                      "run it (install the Debian package wine).")
                           .arg(program));
    command.arguments.prepend(program);
    if (!winePrefix_.isEmpty()) {
        QProcessEnvironment withPrefix = QProcessEnvironment::systemEnvironment();
        withPrefix.insert(QStringLiteral("WINEPREFIX"), winePrefix_);
        command.environment = withPrefix.toStringList();
    }
    return command;
}

Outcome<> SystemProcessLauncher::startDetached(const ProcessCommand& command) {
    QProcess process;
    process.setProgram(command.executable);
    process.setArguments(command.arguments);
    process.setWorkingDirectory(command.workingFolder);
    if (!command.environment.isEmpty())
        process.setEnvironment(command.environment);
    if (!process.startDetached())
        return failed(QStringLiteral("The game program could not be started: \"%1\" (%2)")
                          .arg(command.program, process.errorString()));
    return Outcome<>::success();
}

} // namespace fd
