// The game folder: the Wine registry lookup, the first start without a path file, the game
// folder dialog's Yes and No, Find Game Path, and the Advanced tab's copy of the folder (a load
// leaves the copy as it is: see the save and load tests).

#include "gamepath/WineRegistry.h"
#include "gamepath/frmGamePath.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

const QString wrongFolderMessage = u"This Is Not The Correct Path To stvoyHM.exe"_s;
const QString chooserTitle = QStringLiteral(
    "Hello World. Click On a directory and  its path will be displayed in a message box");

const QByteArray installKey =
    "[Software\\\\Activision\\\\Star Trek: Voyager - Elite Force\\\\v1.0] "
    "1700000000\n#time=1d9f0e1c2b3a4d5\n";

void writeRegistry(const QString& prefix, const QByteArray& body) {
    QFile file(prefix + u"/system.reg"_s);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n");
    file.write(body);
}

QString pathFile(const TestFolders& folders) {
    return folders.appFolder() + u"/path.ini"_s;
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
        QTest::newRow("drive Z")          << value + "\"Z:\\\\EF\"\n" << "/dosdevices/z:/EF";
        QTest::newRow("value before any key") << "\"INSTALLPATH\"=\"C:\\\\Other\"\n" + value + "\"C:\\\\EF\"\n" << "/drive_c/EF";
        QTest::newRow("unfinished escape at the end") << value + "\"C:\\\\EF\\x4" << "";
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
        const std::optional<QString> found =
            GetGamePath(prefix.path(), QString::fromLatin1(gameRegistryKey),
                        QString::fromLatin1(gameRegistryValue));
        QCOMPARE(found, folder.isEmpty() ? std::nullopt : std::optional(prefix.path() + folder));
    }

    // A first start (no path file) fills it from the registry; a start without the game in
    // the folder asks too. Closing the dialog by its frame brings the main window.
    void startUpAsksForTheGameFolder_data() {
        QTest::addColumn<QByteArray>("registry"); // null: a path file naming the test's folder
        QTest::addColumn<QString>("folder");      // under the prefix, or the test's game folder
        QTest::newRow("first start, registry") << installKey + "\"INSTALLPATH\"=\"  C:\\\\EF  \"\n"
                                               << "/drive_c/EF";
        QTest::newRow("first start, no registry") << QByteArray("") << "";
        QTest::newRow("the game missing") << QByteArray() << "game";
    }
    void startUpAsksForTheGameFolder() {
        QFETCH(QByteArray, registry);
        QFETCH(QString, folder);
        auto folders = std::make_shared<TestFolders>();
        if (registry.isNull()) {
            QVERIFY(QFile::remove(folders->gameFolder() + u"/stvoyHM.exe"_s));
        } else {
            QFile::remove(pathFile(*folders));
            writeRegistry(folders->winePrefix(), registry);
        }
        const QString expected = folder == u"game"  ? folders->gameFolder()
                                 : folder.isEmpty() ? QString()
                                                    : folders->winePrefix() + folder;
        TestProgram p(folders);
        QVERIFY(p.form.isShown(Window::frmGamePath) && !p.form.isShown(Window::frmFragDocker));
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), expected);
        QCOMPARE(p.form.text(ctl::txtGamePath), expected);
        QCOMPARE(test::readFile(pathFile(*folders)), expected.toUtf8() + "\r\n");
        QVERIFY(p.store.isOpen());
        frmGamePath::closeByFrame(p.ctx);
        QVERIFY(!p.form.isShown(Window::frmGamePath) && p.form.isShown(Window::frmFragDocker));
    }

    // Yes on a wrong folder complains and opens the chooser; No opens it; Yes on a right one
    // remembers it, in the path file and on the Advanced tab.
    void yesAndNo() {
        TestProgram p; // a normal start: no dialog
        QVERIFY(!p.form.isShown(Window::frmGamePath));
        const QByteArray pathBefore = test::readFile(pathFile(*p.folders()));
        p.form.click(ctl::cmdRefindGamePatch);
        QVERIFY(p.form.isShown(Window::frmGamePath) && !p.form.isShown(Window::frmFragDocker));
        p.form.setText(ctl::frmGamePath::txtGamePath, p.appFolder());
        p.form.click(ctl::frmGamePath::cmdYes); // the chooser cancelled
        QCOMPARE(p.log.events, QStringList({"cue ralert.wav", "message " + wrongFolderMessage,
                                            "chooser " + chooserTitle}));
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), p.appFolder());
        QTemporaryDir other;
        test::touch(other.filePath(u"STVOYHM.EXE"_s));
        p.chooser.answers << other.path();
        p.form.click(ctl::frmGamePath::cmdNo);
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), other.path());
        QCOMPARE(test::readFile(pathFile(*p.folders())), pathBefore);
        p.form.click(ctl::frmGamePath::cmdYes);
        QCOMPARE(test::readFile(pathFile(*p.folders())), other.path().toUtf8() + "\r\n");
        QVERIFY(!p.form.isShown(Window::frmGamePath) && p.form.isShown(Window::frmFragDocker));
        QCOMPARE(p.form.text(ctl::txtGamePath), other.path());
        QCOMPARE(p.log.messages(), QStringList({wrongFolderMessage}));
    }
};

QTEST_MAIN(TestGamePath)
#include "tst_gamepath.moc"
