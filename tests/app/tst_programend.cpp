// The program itself, run offscreen from a copy of its application folder with the demo data:
// it holds the store with its lock file, and asked by the system to end, it ends in order and
// leaves no lock file that would make the next start refuse.

#include "core/TextFile.h"
#include "support/CatalogFiles.h"

#include <QtTest>

#include <QDirIterator>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

// Copies the application folder, leaving out what a run there left: the path file and the store.
void copyApplicationFolder(const QString& from, const QString& to) {
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString relative = source.relativeFilePath(entry.filePath());
        if (relative == u"path.ini"_s || relative.startsWith(u"dock"_s))
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

} // namespace

class TestProgramEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aTerminationSignalClosesTheStore() {
        QTemporaryDir folder;
        copyApplicationFolder(QStringLiteral(FD_APP_DIR), folder.path());
        fd::text::writeLines(folder.filePath(u"path.ini"_s),
                             {folder.filePath(u"demo/Elite Force"_s)});
        const QString lock = folder.filePath(u"dock.ldb"_s);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        program.setProcessEnvironment(environment);
        program.start(folder.filePath(u"fragdocker"_s), {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 30000);
        QCOMPARE(program.state(), QProcess::Running);
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFile::exists(lock));
        QVERIFY(QFile::exists(folder.filePath(u"dock.sav"_s)));
    }
};

QTEST_MAIN(TestProgramEnd)
#include "tst_programend.moc"
