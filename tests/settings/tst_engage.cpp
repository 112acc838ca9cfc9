// ENGAGE: the script written into the game folder, the refusals, and the start of the game.

#include "core/PathResolver.h"
#include "core/TextFile.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace fd;

namespace {

const QString scriptFile = u"baseEF/FragDocker.cfg"_s;

// A program with the data folder made and the bots off, ready for ENGAGE.
struct ReadyProgram : test::TestProgram {
    explicit ReadyProgram(const QString& dataFolder = u"baseEF"_s) {
        if (!dataFolder.isEmpty())
            makeDataFolder(dataFolder);
        form.setValue(ctl::chkTurnBotsOn, 0);
    }
    QList<QByteArray> engage() {
        form.click(ctl::cmdEngage);
        QList<QByteArray> lines =
            test::readFile(PathResolver().resolve(gameFolder() + u'/' + scriptFile)).split('\n');
        lines.removeLast(); // after the last line break
        for (QByteArray& line : lines)
            line.chop(1); // the CR
        return lines;
    }
    bool allClosed() const {
        return form.isClosed(Window::frmGamePath) && form.isClosed(Window::frmFragDocker) &&
               form.isClosed(Window::frmErrorMap) && form.isClosed(Window::frmFragdockerRunning);
    }
};

} // namespace

class TestEngage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initialSettingsWithBotsOffGiveTheReferenceScript() {
        ReadyProgram p;
        p.form.click(ctl::cmdEngage);
        QFile golden(QStringLiteral(FD_TEST_DATA "/engage/initial-bots-off.cfg"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QCOMPARE(p.readGameFile(scriptFile), golden.readAll());
        QCOMPARE(p.log.events,
                 QStringList({"cue engage.wav", "start " + p.gameFolder() + "/stvoyHM.exe"}));
        QCOMPARE(p.launcher.arguments,
                 QStringList({"+set", "dedicated", "1", "+exec", "fragdocker.cfg"}));
        QCOMPARE(p.launcher.workingFolder, p.gameFolder());
        QVERIFY(p.allClosed());
    }

    void missingNumberOfBotsIsRefused_data() {
        QTest::addColumn<QString>("bots");
        QTest::newRow("zero") << "0";
        QTest::newRow("empty") << "";
        QTest::newRow("not a number") << "x";
        QTest::newRow("negative") << "-1";
    }
    void missingNumberOfBotsIsRefused() {
        QFETCH(QString, bots);
        ReadyProgram p;
        p.form.setValue(ctl::chkTurnBotsOn, 1);
        p.form.setText(ctl::txtNumberOfBotsToPlay, bots);
        const QList<QByteArray> lines = p.engage();
        QCOMPARE(lines.size(), 24); // the script up to the bot lines
        QCOMPARE(lines.last(), QByteArray("seta bot_nochat \"0\""));
        QCOMPARE(p.log.events, QStringList({"cue engage.wav", "cue ralert.wav",
                                            "message If you have BOTS ENABLED you must specify "
                                            "THE NUMBER OF BOTS TO PLAY"}));
        QVERIFY(!p.form.isClosed(Window::frmFragDocker));
    }

    // The bot count only with bots on; the roster always, byte for byte; values as typed; each
    // password line only when it is given; the short command line for a listen server.
    void botCountRosterAndValuesAsTyped() {
        ReadyProgram p(u"baseef"_s); // found in any letter case
        p.form.addItem(ctl::list4, u"Tuvok"_s);
        p.form.setText(ctl::txtPrivateClientPassword, u"friends"_s);
        p.form.select(ctl::optionNonDedicated);
        QList<QByteArray> lines = p.engage();
        QCOMPARE(lines.last(), QByteArray("addbot Tuvok"));
        QVERIFY(lines.contains("seta sv_privatePassword \"friends\""));
        QVERIFY(!lines.join('\n').contains("bot_minplayers") && !lines.join('\n').contains("rcon"));
        QCOMPARE(p.launcher.arguments, QStringList({"+exec", "fragdocker.cfg"}));
        QVERIFY(p.allClosed());

        p.form.setText(ctl::txtPrivateClientPassword, QString());
        p.form.setValue(ctl::chkTurnBotsOn, 1);
        p.form.setText(ctl::txtNumberOfBotsToPlay, u"4"_s);
        QByteArray bytes;
        for (int b = 0x80; b < 0x100; ++b)
            bytes.append(char(b));
        p.form.addItem(ctl::list4, text::decode(bytes));
        p.form.setText(ctl::txtServerName, u"  The \"Best\" Server "_s);
        p.form.setText(ctl::txtConsolePassword, u"secret"_s);
        p.form.setValue(ctl::chkSetNetIP, 1);
        p.form.setText(ctl::txtSetNetIPNumber, u"10.0.0.1"_s);
        p.form.setValue(ctl::chkSetNetport, 1);
        p.form.setValue(ctl::chkAllowClientsToDownload, 0);
        lines = p.engage();
        QCOMPARE(p.form.text(ctl::txtMoreBots), u"4"_s);
        QCOMPARE(lines.mid(lines.size() - 2),
                 QList<QByteArray>({"addbot Tuvok", "addbot " + bytes}));
        QCOMPARE(lines.indexOf("seta bot_minplayers \"4\""),
                 lines.indexOf("seta bot_nochat \"0\"") + 1);
        QVERIFY(lines.contains("seta sv_hostname \"  The \"Best\" Server \""));
        QVERIFY(lines.contains("seta sv_rconpassword \"secret\""));
        QVERIFY(!lines.join('\n').contains("sv_privatePassword") &&
                !lines.join('\n').contains("cl_"));
        const qsizetype port = lines.indexOf("seta net_port \"27660\"");
        QVERIFY(port > 0 && lines.indexOf("seta net_ip \"10.0.0.1\"") == port + 1);
    }

    // Each failure is told with a cue and one message, and leaves the program open.
    void failuresStartNothing_data() {
        QTest::addColumn<QString>("dataFolder");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("startFailure");
        QTest::addColumn<QString>("message");   // a part of it
        QTest::addColumn<QByteArray>("script"); // what the script file begins with
        QTest::newRow("no data folder") << ""
                                        << "1"
                                        << ""
                                        << "Elite Force/baseEF" << QByteArray();
        QTest::newRow("damage no number") << "baseEF"
                                          << "1e2"
                                          << ""
                                          << "\"1e2\"" << QByteArray("old\r\n");
        QTest::newRow("start failed") << "baseEF"
                                      << "1"
                                      << "could not start"
                                      << "could not start" << QByteArray("//");
    }
    void failuresStartNothing() {
        QFETCH(QString, dataFolder);
        QFETCH(QString, damage);
        QFETCH(QString, startFailure);
        QFETCH(QString, message);
        QFETCH(QByteArray, script);
        ReadyProgram p(dataFolder);
        if (!dataFolder.isEmpty())
            text::writeLines(p.gameFolder() + u'/' + scriptFile, {u"old"_s});
        p.form.setText(ctl::txtWeaponEnhancerDamage, damage);
        p.launcher.failure = startFailure;
        p.form.click(ctl::cmdEngage);
        QCOMPARE(p.log.cues(), QStringList({"engage.wav", "ralert.wav"}));
        QCOMPARE(p.log.messages().size(), 1);
        QVERIFY2(p.log.messages().first().contains(message), qPrintable(p.log.messages().first()));
        QVERIFY(p.readGameFile(scriptFile).startsWith(script));
        QVERIFY(!p.form.isClosed(Window::frmFragDocker));
    }
};

QTEST_GUILESS_MAIN(TestEngage)
#include "tst_engage.moc"
