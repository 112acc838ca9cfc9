// ENGAGE: the script written into the game folder, the refusals, and the start of the game.

#include "core/PathResolver.h"
#include "core/TextFile.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace fd;
using fd::test::TestProgram;

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

    // The bot count only with bots on; the roster always, byte for byte; values as typed; each
    // password line only when it is given; the short command line for a listen server.
    void botCountRosterAndValuesAsTyped() {
        ReadyProgram p(u"baseef"_s); // found in any letter case
        p.form.addItem(ctl::list4, u"Tuvok"_s);
        p.form.setText(ctl::txtPrivateClientPassword, u"friends"_s);
        p.form.select(ctl::optionNonDedicated);
        QByteArray script = p.engage().join('\n');
        QVERIFY(script.endsWith("\naddbot Tuvok") &&
                script.contains("\nseta sv_privatePassword \"friends\"\n"));
        QVERIFY(!script.contains("bot_minplayers") && !script.contains("rcon"));
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
        p.form.addItem(ctl::List2, u"hm_\"voy\"1"_s); // quotes that add no command
        p.form.setText(ctl::txtConsolePassword, u"secret"_s);
        p.form.setValue(ctl::chkSetNetIP, 1);
        p.form.setText(ctl::txtSetNetIPNumber, u"10.0.0.1"_s);
        p.form.setValue(ctl::chkSetNetport, 1);
        p.form.setValue(ctl::chkAllowClientsToDownload, 0);
        script = p.engage().join('\n');
        QCOMPARE(p.form.text(ctl::txtMoreBots), u"4"_s);
        QVERIFY(script.endsWith("\naddbot Tuvok\naddbot " + bytes));
        for (const char* line : {"seta bot_nochat \"0\"\nseta bot_minplayers \"4\"\n",
                                 "\nseta sv_hostname \"  The \"Best\" Server \"\n",
                                 "\nSet d1 \"map hm_\"voy\"1; set nextmap vstr d2\"\n",
                                 "\nseta sv_rconpassword \"secret\"\n",
                                 "\nseta net_port \"27660\"\nseta net_ip \"10.0.0.1\"\n"})
            QVERIFY2(script.contains(line), line);
        QVERIFY(!script.contains("sv_privatePassword") && !script.contains("cl_"));
    }

    // Each refusal or failure is told with the alert cue and one message, starts nothing and
    // leaves the program open. A missing number of bots leaves the script up to the bot lines.
    void refusalsAndFailuresStartNothing_data() {
        QTest::addColumn<QString>("setting");   // bots=N: bots on, N to play; damage=X; start fails
        QTest::addColumn<QString>("message");   // a part of it
        QTest::addColumn<QByteArray>("script"); // the script's last line; "old" the one before
        const QString botRefusal = u"you must specify THE NUMBER OF BOTS TO PLAY"_s;
        const QByteArray lastHeadLine("seta bot_nochat \"0\"");
        // clang-format off
        for (const char* bots : {"0", "", "x", "-1"})
            QTest::addRow("bots \"%s\"", bots) << u"bots="_s + QLatin1String(bots) << botRefusal << lastHeadLine;
        QTest::newRow("no data folder") << "no data folder" << "Elite Force/baseEF" << QByteArray("(missing)");
        QTest::newRow("damage no number") << "damage=1e2" << "\"1e2\"" << QByteArray("old");
        QTest::newRow("start failed") << "start fails" << "could not start" << QByteArray("vstr d1");
        // clang-format on
        const std::pair<const char*, const char*> kinds[] = {{"setting", "\"ServerQuote\""},
                                                             {"rotation", "of the map rotation"},
                                                             {"roster", "of the bot roster"}};
        for (const auto& [kind, named] : kinds)
            for (const char16_t c : {u'\n', u'\r', u'\0'})
                QTest::addRow("%s holding %d", kind, int(c))
                    << u"breaks %1|a%2quit"_s.arg(QLatin1String(kind), QChar(c)) << named
                    << QByteArray("old");
        // Values that would end the engine's command outside quotes and add one of their own.
        const std::pair<int, const char*> smuggled[] = {
            {0, "x\" ; quit ; \""}, {0, "a\";b"},        {0, "\";\""},
            {1, "x\" ; quit ; \""}, {1, "hm_voy1;quit"}, {2, "x\"\" ; quit"},
            {2, "Munro Jr;quit"}};
        for (const auto& [kind, value] : smuggled)
            QTest::addRow("%s %s", kinds[kind].first, value)
                << u"smuggles %1|%2"_s.arg(QLatin1String(kinds[kind].first), QLatin1String(value))
                << QString::fromLatin1(kinds[kind].second) << QByteArray("old");
    }
    void refusalsAndFailuresStartNothing() {
        QFETCH(QString, setting);
        QFETCH(QString, message);
        QFETCH(QByteArray, script);
        ReadyProgram p(setting == u"no data folder" ? QString() : u"baseEF"_s);
        if (setting != u"no data folder")
            QVERIFY(text::writeLines(p.gameFolder() + u'/' + scriptFile, {u"old"_s}).ok());
        p.form.setValue(ctl::chkTurnBotsOn, setting.startsWith(u"bots="));
        if (setting.startsWith(u"bots="))
            p.form.setText(ctl::txtNumberOfBotsToPlay, setting.mid(5));
        if (setting.startsWith(u"damage="))
            p.form.setText(ctl::txtWeaponEnhancerDamage, setting.mid(7));
        p.launcher.failure = setting == u"start fails" ? u"could not start"_s : QString();
        const QString value = setting.section(u'|', 1);
        if (setting.contains(u"setting|"))
            p.form.setText(ctl::txtServerQuote, value);
        else if (setting.contains(u"ro"))
            p.form.addItem(setting.contains(u"rotation") ? ctl::List2 : ctl::list4, value);
        const QList<QByteArray> lines = p.engage();
        QCOMPARE(p.log.cues(), QStringList({"engage.wav", "ralert.wav"}));
        QCOMPARE(p.log.messages().size(), 1);
        QVERIFY2(p.log.messages().first().contains(message), qPrintable(p.log.messages().first()));
        QCOMPARE(lines.isEmpty() ? QByteArray("(missing)") : lines.last(), script);
        QVERIFY(!setting.startsWith(u"bots=") || lines.size() == 24);
        QVERIFY(!p.form.isClosed(Window::frmFragDocker) &&
                p.launcher.program.isEmpty() == (setting != u"start fails"));
    }
};

QTEST_GUILESS_MAIN(TestEngage)
#include "tst_engage.moc"
