#include "SystemCuePlayer.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <optional>

namespace fd {

namespace {
constexpr int waitMarginMs = 300;

QString player() {
    static const QString aplay = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    return aplay;
}
} // namespace

SystemCuePlayer::SystemCuePlayer(QString appFolder) : appFolder_(std::move(appFolder)) {}

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
    const QString path = appFolder_ + QStringLiteral("/WAVS/") + cueFile;
    const std::optional<int> duration = durationMs(path);
    if (!duration || player().isEmpty())
        return;
    QProcess process;
    process.setProgram(player());
    process.setArguments({QStringLiteral("-q"), path});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (mode == Background) {
        process.startDetached();
        return;
    }
    process.start();
    if (!process.waitForFinished(*duration + waitMarginMs)) {
        process.kill();
        process.waitForFinished(waitMarginMs);
    }
}

} // namespace fd
