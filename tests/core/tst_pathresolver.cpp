// File names are matched without regard to letter case, component by component.

#include "core/PathResolver.h"

#include <QtTest>

using namespace fd;

class TestPathResolver : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    void touch(const QString& relative) {
        QDir().mkpath(QFileInfo(dir.filePath(relative)).path());
        QFile(dir.filePath(relative)).open(QIODevice::WriteOnly);
    }

private Q_SLOTS:
    void initTestCase() {
        touch(QStringLiteral("Game Folder/baseEF/pak0.pk3"));
        touch(QStringLiteral("Game Folder/stvoyHM.exe"));
    }

    void exactPathsResolveToThemselves() {
        PathResolver files;
        const QString path = dir.filePath(QStringLiteral("Game Folder/baseEF/pak0.pk3"));
        QCOMPARE(files.resolve(path), path);
        QVERIFY(files.isFile(path));
    }

    void componentsInAnotherCaseFindTheEntryOnDisk() {
        PathResolver files;
        QCOMPARE(files.resolve(dir.path() + QStringLiteral("/game folder/BASEEF/PAK0.pk3")),
                 dir.filePath(QStringLiteral("Game Folder/baseEF/pak0.pk3")));
        QVERIFY(files.isFile(dir.path() + QStringLiteral("/GAME FOLDER/STVOYHM.EXE")));
        QVERIFY(files.isFolder(dir.path() + QStringLiteral("/Game Folder/baseef")));
    }

    void backslashesAndDoubledSeparatorsAreSeparators() {
        PathResolver files;
        QVERIFY(files.isFile(dir.path() + QStringLiteral("\\Game Folder\\baseef\\\\pak0.pk3")));
    }

    void missingPathsKeepTheirGivenTail() {
        PathResolver files;
        const QString given = dir.path() + QStringLiteral("/game folder/baseef/new.cfg");
        QCOMPARE(files.resolve(given), dir.filePath(QStringLiteral("Game Folder/baseEF/new.cfg")));
        QVERIFY(!files.isFile(given));
        QVERIFY(!files.isFolder(dir.path() + QStringLiteral("/Game Folder/stvoyHM.exe")));
        QVERIFY(!files.isFile(dir.path() + QStringLiteral("/Game Folder/stvoyHM.exe/x")));
    }

    void aNameThatMatchesExactlyWinsOverOneThatMatchesIgnoringCase() {
        touch(QStringLiteral("Twins/a.txt"));
        touch(QStringLiteral("Twins/A.txt"));
        PathResolver files;
        QCOMPARE(files.resolve(dir.filePath(QStringLiteral("Twins/A.txt"))),
                 dir.filePath(QStringLiteral("Twins/A.txt")));
    }
};

QTEST_GUILESS_MAIN(TestPathResolver)
#include "tst_pathresolver.moc"
