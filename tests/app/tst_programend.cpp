// The program itself, run offscreen from a copy of its application folder with the demo
// data: a copy that finds another one running waits on its notice and touches nothing; a
// normal run holds the store with its lock file, and asked by the system to end, it ends in
// order and leaves no lock file that would make the next start refuse.

#include "core/TextFile.h"
#include "support/CatalogFiles.h"

#include <QtTest>

#include <QDirIterator>
#include <QProcess>

namespace {

// Copies the application folder, leaving out what a run there left: the path file and the store.
void copyApplicationFolder(const QString& from, const QString& to) {
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString relative = source.relativeFilePath(entry.filePath());
        if (relative == QStringLiteral("path.ini") || relative.startsWith(QStringLiteral("dock")))
            continue;
        const QString target = to + u'/' + relative;
        if (entry.isDir()) {
            QDir().mkpath(target);
        } else {
            QDir().mkpath(QFileInfo(target).path());
            if (!QFile::copy(entry.filePath(), target))
                qFatal("cannot copy %s", qPrintable(entry.filePath()));
            QFile::setPermissions(target, entry.permissions());
        }
    }
}

class CopiedProgram {
public:
    CopiedProgram() { copyApplicationFolder(QStringLiteral(FD_APP_DIR), folder_.path()); }
    QString file(const QString& name) const { return folder_.filePath(name); }

    void start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(file(QStringLiteral("fragdocker")), {});
    }
    bool endsOnTermination() {
        process.terminate();
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    }

    QProcess process;

private:
    QTemporaryDir folder_;
};

} // namespace

class TestProgramEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aLeftBehindLockKeepsTheNoticeUpAndTheStoreUntouched() {
        CopiedProgram program;
        const QByteArray store("a store this copy must not touch");
        fd::test::writeFile(program.file(QStringLiteral("dock.sav")), store);
        fd::test::touch(program.file(QStringLiteral("dock.ldb")));
        program.start();
        QVERIFY(program.process.waitForStarted(30000));
        // The notice waits for its OK: the copy neither ends by itself nor opens the store.
        QVERIFY(!program.process.waitForFinished(1500));
        QCOMPARE(fd::test::readFile(program.file(QStringLiteral("dock.sav"))), store);
        QVERIFY(!QFile::exists(program.file(QStringLiteral("dock2.sav"))));
        QVERIFY(program.endsOnTermination());
        QVERIFY(QFile::exists(program.file(QStringLiteral("dock.ldb"))));
        QCOMPARE(fd::test::readFile(program.file(QStringLiteral("dock.sav"))), store);
    }

    void aTerminationSignalClosesTheStore() {
        CopiedProgram program;
        fd::text::writeLines(program.file(QStringLiteral("path.ini")),
                             {program.file(QStringLiteral("demo/Elite Force"))});
        const QString lock = program.file(QStringLiteral("dock.ldb"));
        program.start();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 30000);
        QCOMPARE(program.process.state(), QProcess::Running);
        QVERIFY(QFile::exists(program.file(QStringLiteral("dock.sav"))));
        QVERIFY(program.endsOnTermination());
        QVERIFY(!QFile::exists(lock));
        QVERIFY(QFile::exists(program.file(QStringLiteral("dock.sav"))));
    }
};

QTEST_MAIN(TestProgramEnd)
#include "tst_programend.moc"
