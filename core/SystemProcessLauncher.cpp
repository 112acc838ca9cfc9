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
    if (isWindowsProgram(program)) {
        executable = QStandardPaths::findExecutable(QStringLiteral("wine"));
        if (executable.isEmpty())
            return QStringLiteral("\"%1\" is a Windows program and Wine is not installed to run "
                                  "it (install the Debian package wine).")
                .arg(program);
        fullArguments.prepend(program);
    } else if (!info.isExecutable()) {
        return QStringLiteral("The game program is not executable: \"%1\"").arg(program);
    }

    return launch(program, executable, fullArguments, workingFolder);
}

QString SystemProcessLauncher::launch(const QString& program, const QString& executable,
                                      const QStringList& arguments, const QString& workingFolder) {
    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    if (!process.startDetached())
        return QStringLiteral("The game program could not be started: \"%1\" (%2)")
            .arg(program, process.errorString());
    return {};
}

} // namespace fd
