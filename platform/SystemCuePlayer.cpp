#include "SystemCuePlayer.h"

#include "core/PathResolver.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <optional>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace fd {

namespace {
constexpr int waitMarginMs = 300;

QString player() {
    static const QString aplay = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    return aplay;
}
} // namespace

SystemCuePlayer::SystemCuePlayer(QString appFolder) : appFolder_(std::move(appFolder)) {}

SystemCuePlayer::~SystemCuePlayer() {
    reapFinished(); // one still playing is left to the system when the program ends
}

void SystemCuePlayer::reapFinished() {
    std::erase_if(playing_, [](int pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

void SystemCuePlayer::spawnInBackground(const QString& path) {
    reapFinished();
    const QByteArray program = QFile::encodeName(player());
    const QByteArray file = QFile::encodeName(path);
    char quiet[] = "-q";
    char* arguments[] = {const_cast<char*>(program.constData()), quiet,
                         const_cast<char*>(file.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.constData(), &actions, nullptr, arguments, environ) == 0)
        playing_.push_back(pid);
    posix_spawn_file_actions_destroy(&actions);
}

std::optional<int> SystemCuePlayer::durationMs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray header = file.read(12);
    if (header.size() < 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8)
            break;
        const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray format = file.read(size);
            if (format.size() < 12)
                return std::nullopt;
            byteRate = qFromLittleEndian<quint32>(format.constData() + 8);
        } else if (chunk.startsWith("data")) {
            if (byteRate == 0)
                return std::nullopt;
            return int(qMin<quint64>(quint64(size) * 1000 / byteRate, 60'000));
        } else if (!file.skip(size + (size & 1))) {
            break;
        }
    }
    return std::nullopt;
}

void SystemCuePlayer::play(const QString& cueFile, Mode mode) {
    const QString path = PathResolver().resolveIn(appFolder_, QStringLiteral("WAVS/") + cueFile);
    const std::optional<int> duration = durationMs(path);
    if (!duration || player().isEmpty())
        return;
    if (mode == Background) {
        spawnInBackground(path);
        return;
    }
    QProcess process;
    process.setProgram(player());
    process.setArguments({QStringLiteral("-q"), path});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForFinished(*duration + waitMarginMs)) {
        process.kill();
        process.waitForFinished(waitMarginMs);
    }
}

} // namespace fd
