// The demo game folder's stand-in server: started like the game, in a game folder whose path
// holds a space, it reports the server script it was told to execute.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

struct Run {
    int exitCode = -1;
    QString output;
};

Run runStandIn(const QString& gameFolder, const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(gameFolder);
    process.start(QStringLiteral(STANDIN_PATH), arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput())};
}

const QStringList dedicatedArguments{QStringLiteral("+set"), QStringLiteral("dedicated"),
                                     QStringLiteral("1"), QStringLiteral("+exec"),
                                     QStringLiteral("fragdocker.cfg")};

} // namespace

class TestStandIn : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        tmp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp_->isValid());
        gameFolder_ = tmp_->filePath(QStringLiteral("Elite Force"));
        QVERIFY(QDir().mkpath(gameFolder_));
    }

    void summarisesTheScriptFoundWithoutRegardToCase() {
        writeScript(QStringLiteral("BaseEF/FragDocker.cfg"),
                    "//You can delete this file and it will not hurt anything.\n"
                    "seta sv_hostname \"Delta Flyer Arena\"\nseta sv_maxclients \"12\"\n"
                    "seta g_gametype\"4\"\n"
                    "Set d1 \"map hm_voy2; set nextmap vstr d2\"\n"
                    "Set d2 \"map ctf_kln1; set nextmap vstr d3\"\n"
                    "Set d3 \"map hm_borg1; set nextmap vstr d4\"\n"
                    "set \"nextmap vstr d1\"\nwait\nvstr d1\naddbot Munro\naddbot Chell\n");

        const Run run = runStandIn(gameFolder_, dedicatedArguments);

        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.output.contains(QStringLiteral("Delta Flyer Arena")), qPrintable(run.output));
        QVERIFY(run.output.contains(QStringLiteral("Capture The Flag")));
        QVERIFY(run.output.contains(QRegularExpression(QStringLiteral("Dedicated:\\s*yes"))));
        QVERIFY(run.output.contains(gameFolder_));
        const qsizetype first = run.output.indexOf(QStringLiteral("hm_voy2"));
        const qsizetype second = run.output.indexOf(QStringLiteral("ctf_kln1"));
        const qsizetype third = run.output.indexOf(QStringLiteral("hm_borg1"));
        QVERIFY(first >= 0 && first < second && second < third);
        QVERIFY(run.output.indexOf(QStringLiteral("Munro")) <
                run.output.indexOf(QStringLiteral("Chell")));
        QCOMPARE(logText(), run.output);
    }

    void aListenServerIsNotDedicated() {
        writeScript(QStringLiteral("baseEF/fragdocker.cfg"),
                    "seta sv_hostname \"Holodeck\"\nseta g_gametype\"3\"\n");

        const Run run =
            runStandIn(gameFolder_, {QStringLiteral("+exec"), QStringLiteral("fragdocker.cfg")});

        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.output.contains(QStringLiteral("Team Death Match")));
        QVERIFY2(run.output.contains(QRegularExpression(QStringLiteral("Dedicated:\\s*no"))),
                 qPrintable(run.output));
    }

    void reportsAMissingScriptAndFails() {
        QVERIFY(QDir().mkpath(gameFolder_ + QStringLiteral("/baseEF")));

        const Run run = runStandIn(gameFolder_, dedicatedArguments);

        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.output.contains(QStringLiteral("not found"), Qt::CaseInsensitive),
                 qPrintable(run.output));
        QCOMPARE(logText(), run.output);
    }

    void appendsEveryStartToTheLog() {
        writeScript(QStringLiteral("baseEF/FragDocker.cfg"), "seta sv_hostname \"One\"\n");
        const Run first = runStandIn(gameFolder_, dedicatedArguments);
        const Run second = runStandIn(gameFolder_, dedicatedArguments);
        QCOMPARE(logText(), first.output + second.output);
    }

private:
    // Writes the script with CR LF line ends.
    void writeScript(const QString& relative, QByteArray text) {
        const QString path = gameFolder_ + u'/' + relative;
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.replace("\n", "\r\n"));
    }

    QString logText() const {
        QFile file(gameFolder_ + QStringLiteral("/stvoyHM.log"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

    std::unique_ptr<QTemporaryDir> tmp_;
    QString gameFolder_;
};

QTEST_GUILESS_MAIN(TestStandIn)
#include "tst_standin.moc"
