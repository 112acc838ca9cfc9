// The game folder: the Wine registry lookup, the first start without a path file, the game
// folder dialog's Yes and No, Find Game Path, and the Advanced tab's copy of the folder.

#include "gamepath/frmGamePath.h"
#include "gamepath/modGetGamePath.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

const QString wrongFolderMessage = QStringLiteral("This Is Not The Correct Path To stvoyHM.exe");
const QString chooserTitle = QStringLiteral(
    "Hello World. Click On a directory and  its path will be displayed in a message box");

const QByteArray installKey =
    "[Software\\\\Activision\\\\Star Trek: Voyager - Elite Force\\\\v1.0] "
    "1700000000\n#time=1d9f0e1c2b3a4d5\n";

void writeRegistry(const QString& prefix, const QByteArray& body) {
    QFile file(prefix + QStringLiteral("/system.reg"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n");
    file.write(body);
}

QString pathFile(const TestFolders& folders) {
    return folders.appFolder() + QStringLiteral("/path.ini");
}

// The dialog as a first start shows it: no path file yet.
std::shared_ptr<TestFolders> firstStartFolders(const QByteArray& registry) {
    auto folders = std::make_shared<TestFolders>();
    QFile::remove(pathFile(*folders));
    if (!registry.isNull())
        writeRegistry(folders->winePrefix(), registry);
    return folders;
}

} // namespace

class TestGamePath : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theRegistryGivesTheGameFolder_data() {
        QTest::addColumn<QByteArray>("registry");
        QTest::addColumn<QString>("folder"); // under the prefix; "" for none
        const QByteArray value = installKey + "\"INSTALLPATH\"=";
        // clang-format off
        QTest::newRow("installed")        << value + "\"C:\\\\Games\\\\Elite Force\"\n" << "/drive_c/Games/Elite Force";
        QTest::newRow("escaped quote and backslash")
            << installKey + "\"Other\"=\"x\"\n\"INSTALLPATH\"=\"C:\\\\Raven\\\\\\\"EF\\\" \\\\\"\n" << "/drive_c/Raven/\"EF\" /";
        QTest::newRow("key and value in other case")
            << QByteArray("[software\\\\activision\\\\star trek: voyager - elite force\\\\V1.0]\n\"installpath\"=\"c:\\\\EF\"\n")
            << "/drive_c/EF";
        QTest::newRow("64-bit prefix")
            << QByteArray("[Software\\\\Wow6432Node\\\\Activision\\\\Star Trek: Voyager - Elite Force\\\\v1.0] 1700000000\n"
                          "\"INSTALLPATH\"=\"C:\\\\Program Files (x86)\\\\Raven\\\\EF\"\n")
            << "/drive_c/Program Files (x86)/Raven/EF";
        QTest::newRow("hex escape")       << value + "\"C:\\\\J\\x00e9r\\x00f4me\"\n" << "/drive_c/J\u00e9r\u00f4me";
        QTest::newRow("missing key")
            << QByteArray("[Software\\\\Activision\\\\Other Game\\\\v1.0]\n\"INSTALLPATH\"=\"C:\\\\Other\"\n") << "";
        QTest::newRow("missing value")    << installKey + "\"Version\"=\"1.0\"\n" << "";
        QTest::newRow("value of another type") << value + "str(2):\"C:\\\\EF\"\n" << "";
        QTest::newRow("value too long")   << value + "\"C:\\\\" + QByteArray(252, 'x') + "\"\n" << "";
        QTest::newRow("longest value")    << value + "\"C:\\\\" + QByteArray(251, 'x') + "\"\n" << "/drive_c/" + QString(251, u'x');
        QTest::newRow("no drive")         << value + "\"\\\\\\\\server\\\\EF\"\n" << "";
        QTest::newRow("no registry file") << QByteArray() << "";
        // clang-format on
    }
    void theRegistryGivesTheGameFolder() {
        QFETCH(QByteArray, registry);
        QFETCH(QString, folder);
        QTemporaryDir prefix;
        if (!registry.isNull())
            writeRegistry(prefix.path(), registry);
        const QString found = GetGamePath(prefix.path(), QString::fromLatin1(gameRegistryKey),
                                          QString::fromLatin1(gameRegistryValue));
        QCOMPARE(found, folder.isEmpty() ? QString() : prefix.path() + folder);
    }

    void otherDrivesFollowTheirLinks() {
        QTemporaryDir prefix;
        QTemporaryDir drive;
        QDir().mkpath(prefix.filePath(QStringLiteral("dosdevices")));
        QVERIFY(QFile::link(drive.path(), prefix.filePath(QStringLiteral("dosdevices/d:"))));
        QCOMPARE(folderOfDrivePath(prefix.path(), QStringLiteral("D:\\Games\\EF")),
                 QDir(drive.path()).canonicalPath() + QStringLiteral("/Games/EF"));
    }

    void aFirstStartAsksAboutTheRegistrysFolder() {
        auto folders =
            firstStartFolders(installKey + "\"INSTALLPATH\"=\"  C:\\\\Games\\\\EF  \"\n");
        TestProgram p(folders);
        const QString expected = folders->winePrefix() + QStringLiteral("/drive_c/Games/EF");
        QVERIFY(p.form.isShown(Window::frmGamePath));
        QVERIFY(!p.form.isShown(Window::frmFragDocker));
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), expected);
        QCOMPARE(test::readFile(pathFile(*folders)), expected.toUtf8() + "\r\n");
        QCOMPARE(p.form.text(ctl::txtGamePath), expected);
    }

    void aFirstStartWithoutTheRegistryLeavesAnEmptyLine() {
        auto folders = firstStartFolders(QByteArray());
        TestProgram p(folders);
        QVERIFY(p.form.isShown(Window::frmGamePath));
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), QString());
        QCOMPARE(test::readFile(pathFile(*folders)), QByteArray("\r\n"));
        QVERIFY(p.store.isOpen());
        frmGamePath::closeByFrame(p.ctx); // the main window comes back
        QVERIFY(!p.form.isShown(Window::frmGamePath));
        QVERIFY(p.form.isShown(Window::frmFragDocker));
    }

    void aStartWithTheGameMissingShowsTheDialog() {
        auto folders = std::make_shared<TestFolders>();
        QVERIFY(QFile::remove(folders->gameFolder() + QStringLiteral("/stvoyHM.exe")));
        TestProgram p(folders);
        QVERIFY(p.form.isShown(Window::frmGamePath));
        QVERIFY(!p.form.isShown(Window::frmFragDocker));
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), folders->gameFolder());
    }

    void yesOnAWrongFolderComplainsAndOpensTheChooser() {
        TestProgram p; // a normal start: no dialog, the folder on the Advanced tab
        QVERIFY(!p.form.isShown(Window::frmGamePath));
        QCOMPARE(p.form.text(ctl::txtGamePath), p.gameFolder());
        const QByteArray pathBefore = test::readFile(pathFile(*p.folders()));
        p.form.click(ctl::cmdRefindGamePatch);
        QVERIFY(p.form.isShown(Window::frmGamePath) && !p.form.isShown(Window::frmFragDocker));
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), p.gameFolder());
        p.form.setText(ctl::frmGamePath::txtGamePath, p.appFolder());
        p.form.click(ctl::frmGamePath::cmdYes);
        QCOMPARE(p.log.events, QStringList({"cue ralert.wav", "message " + wrongFolderMessage,
                                            "chooser " + chooserTitle}));
        QCOMPARE(test::readFile(pathFile(*p.folders())), pathBefore);
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), p.appFolder()); // cancelled
        QVERIFY(p.form.isShown(Window::frmGamePath));
    }

    void noChoosesAFolderAndYesRemembersIt() {
        TestProgram p;
        QTemporaryDir other;
        test::touch(other.filePath(QStringLiteral("STVOYHM.EXE")));
        p.form.click(ctl::cmdRefindGamePatch);
        p.chooser.answers << QString() << other.path(); // cancelled, then chosen
        p.form.click(ctl::frmGamePath::cmdNo);
        QCOMPARE(p.log.events, QStringList({"chooser " + chooserTitle}));
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), p.gameFolder());
        p.form.click(ctl::frmGamePath::cmdNo);
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), other.path());
        QCOMPARE(test::readFile(pathFile(*p.folders())), p.gameFolder().toUtf8() + "\r\n");
        p.form.click(ctl::frmGamePath::cmdYes);
        QCOMPARE(test::readFile(pathFile(*p.folders())), other.path().toUtf8() + "\r\n");
        QVERIFY(!p.form.isShown(Window::frmGamePath));
        QVERIFY(p.form.isShown(Window::frmFragDocker));
        QCOMPARE(p.form.text(ctl::txtGamePath), other.path());
        QCOMPARE(p.log.messages(), QStringList());
    }

    void findGamePathShowsTheFolderALoadGave() {
        TestProgram p;
        p.form.setText(ctl::frmGamePath::txtGamePath, QStringLiteral("/saved/elsewhere"));
        p.form.click(ctl::cmdSave);
        p.form.setText(ctl::frmGamePath::txtGamePath, p.gameFolder());
        p.form.click(ctl::cmdLoad);
        QCOMPARE(p.form.text(ctl::txtGamePath), p.gameFolder()); // the copy stays
        p.form.click(ctl::cmdRefindGamePatch);
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), QStringLiteral("/saved/elsewhere"));
    }
};

QTEST_MAIN(TestGamePath)
#include "tst_gamepath.moc"
