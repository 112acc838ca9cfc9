// The program itself, run offscreen from a folder of its own: asked by the system to end, it
// ends in order and leaves no lock file that would make the next start refuse.

#include "core/TextFile.h"

#include <QtTest>

#include <QProcess>

class TestProgramEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aTerminationSignalClosesTheStore() {
        QTemporaryDir app;
        QTemporaryDir game;
        QFile(game.filePath(QStringLiteral("stvoyHM.exe"))).open(QIODevice::WriteOnly);
        fd::text::writeLines(app.filePath(QStringLiteral("path.ini")), {game.path()});
        const QString program = app.filePath(QStringLiteral("fragdocker"));
        QVERIFY(QFile::copy(QStringLiteral(FRAGDOCKER), program));
        const QString lock = app.filePath(QStringLiteral("dock.ldb"));

        QProcess fragdocker;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        fragdocker.setProcessEnvironment(environment);
        fragdocker.start(program, {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 30000);
        QCOMPARE(fragdocker.state(), QProcess::Running);
        fragdocker.terminate();
        QVERIFY(fragdocker.waitForFinished(30000));
        QCOMPARE(fragdocker.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFile::exists(lock));
        QVERIFY(QFile::exists(app.filePath(QStringLiteral("dock.sav"))));
    }
};

QTEST_MAIN(TestProgramEnd)
#include "tst_programend.moc"
