// The real platform services: the cue player never hangs, the launcher starts the game
// detached in its folder, and every failure to start names the file concerned.

#include "core/SystemCuePlayer.h"
#include "core/SystemProcessLauncher.h"

#include <QtTest>

#include <sys/wait.h>

using namespace fd;

namespace {

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// A mono 16-bit wave file of silence.
QByteArray wave(int milliseconds) {
    const quint32 rate = 8000, dataSize = rate * 2 * quint32(milliseconds) / 1000;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataSize);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataSize;
    return bytes + QByteArray(int(dataSize), '\0');
}

} // namespace

class TestSystemServices : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void waveLengthIsReadFromItsHeader() {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("a.wav")), wave(250));
        writeFile(dir.filePath(QStringLiteral("bad.wav")), "not a wave");
        QCOMPARE(SystemCuePlayer::durationMs(dir.filePath(QStringLiteral("a.wav"))), 250);
        QVERIFY(!SystemCuePlayer::durationMs(dir.filePath(QStringLiteral("bad.wav"))));
        QVERIFY(!SystemCuePlayer::durationMs(dir.filePath(QStringLiteral("missing.wav"))));
    }

    void cuesNeverHang() {
        // Whether or not this machine has a sound device, a cue played to its end returns
        // within its length and a margin, and missing or broken files return at once.
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("WAVS/short.wav")), wave(200));
        writeFile(dir.filePath(QStringLiteral("WAVS/broken.wav")), "RIFF....WAVE");
        SystemCuePlayer player(dir.path());
        QElapsedTimer timer;
        timer.start();
        player.play(QStringLiteral("short.wav"), CuePlayer::ToEnd);
        player.play(QStringLiteral("broken.wav"), CuePlayer::ToEnd);
        player.play(QStringLiteral("missing.wav"), CuePlayer::ToEnd);
        player.play(QStringLiteral("short.wav"), CuePlayer::Background);
        QVERIFY2(timer.elapsed() < 5000, "a cue blocked far beyond its length");
    }

    void backgroundCuesLeaveNoFinishedProcessBehind() {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("WAVS/short.wav")), wave(100));
        QTest::qWait(1500); // cues of earlier cases end; what they leave is collected here
        while (::waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        {
            SystemCuePlayer player(dir.path());
            player.play(QStringLiteral("short.wav"), CuePlayer::Background);
            player.play(QStringLiteral("short.wav"), CuePlayer::Background);
            QTest::qWait(1500); // both players have ended by now
        }
        // No child of this process is left unreaped, finished or not.
        QCOMPARE(::waitpid(-1, nullptr, WNOHANG), -1);
    }

    void theGameStartsDetachedWithItsArgumentsInItsFolder() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Elite Force"));
        const QString out = dir.filePath(QStringLiteral("started.txt"));
        writeFile(folder + QStringLiteral("/stvoyHM.exe"),
                  "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > '" +
                      out.toUtf8() + "'\n",
                  true);
        SystemProcessLauncher launcher;
        const QString error =
            launcher.start(folder + QStringLiteral("/stvoyHM.exe"),
                           {"+set", "dedicated", "1", "+exec", "fragdocker.cfg"}, folder);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const auto started = [&out] {
            QFile file(out);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        QTRY_COMPARE(started(), folder + "\n[+set]\n[dedicated]\n[1]\n[+exec]\n[fragdocker.cfg]\n");
    }

    void failuresToStartNameTheProgram_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<bool>("executable");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("not executable") << QByteArray("#!/bin/sh\n") << false;
        QTest::newRow("windows program without wine") << QByteArray("MZ\x90\0", 4) << true;
    }
    void failuresToStartNameTheProgram() {
        QFETCH(QByteArray, content);
        QFETCH(bool, executable);
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("stvoyHM.exe"));
        if (!content.isEmpty())
            writeFile(program, content, executable);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", dir.path().toUtf8()); // no wine to be found
        const QString error = SystemProcessLauncher().start(program, {}, dir.path());
        qputenv("PATH", path);
        QVERIFY(error.contains(program));
    }
};

QTEST_GUILESS_MAIN(TestSystemServices)
#include "tst_systemservices.moc"
