#include "HeadlessWine.h"

#include "platform/WinePrefix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace fd::hosting {

namespace {

QString prefixOf(const QStringList& environment) {
    for (const QString& variable : environment)
        if (variable.startsWith(QStringLiteral("WINEPREFIX=")))
            return variable.mid(11);
    return winePrefixInUse();
}

// Whether the prefix's user registry names a graphics driver list.
bool namesDrivers(const QString& prefix) {
    QFile registry(prefix + QStringLiteral("/user.reg"));
    if (!registry.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = registry.readAll();
    const qsizetype section = text.indexOf("[Software\\\\Wine\\\\Drivers]");
    const qsizetype next = text.indexOf("\n[", section + 1);
    return section != -1 && text.mid(section, next - section).contains("\"Graphics\"=");
}

// Runs a program of Wine's in the game's environment, its output dropped, for at most the
// given time.
void runWine(const QString& program, const QStringList& environment, const QStringList& arguments) {
    QProcess process;
    if (!environment.isEmpty())
        process.setEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(180000))
        process.kill();
}

} // namespace

void fallBackToNullGraphics(const QString& wine, const QStringList& environment) {
    if (qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
        namesDrivers(prefixOf(environment)))
        return;
    // Setting the list makes a new prefix first, which may take a minute; then the prefix's
    // wineserver, whose desktop has already tried the old list, must end before the game starts.
    runWine(wine, environment,
            {QStringLiteral("reg"), QStringLiteral("add"),
             QStringLiteral("HKCU\\Software\\Wine\\Drivers"), QStringLiteral("/v"),
             QStringLiteral("Graphics"), QStringLiteral("/d"), QStringLiteral("x11,null"),
             QStringLiteral("/f")});
    runWine(QFileInfo(wine).dir().filePath(QStringLiteral("wineserver")), environment,
            {QStringLiteral("-w")});
}

Outcome<ProcessCommand> HeadlessLauncher::prepare(const QString& program,
                                                  const QStringList& arguments,
                                                  const QString& workingFolder) {
    Outcome<ProcessCommand> command =
        SystemProcessLauncher::prepare(program, arguments, workingFolder);
    if (command.ok() && command->executable != program) // started through Wine
        fallBackToNullGraphics(command->executable, command->environment);
    return command;
}

} // namespace fd::hosting
