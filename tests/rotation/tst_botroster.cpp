// The bot roster editor, and the roster as ENGAGE writes it.

#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace fd;
using namespace fd::test;

namespace {

struct RosterProgram : TestProgram {
    RosterProgram() : TestProgram(Start::Later) {
        writeFile(appFolder() + QStringLiteral("/bots.ini"), "Munro\r\nTelsia  \r\n\r\nKim 4\r\n");
        start();
    }
    QStringList roster() const { return form.items(ctl::list4); }
};

} // namespace

class TestBotRoster : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addAppendsTheSelectedBotUnchanged() {
        RosterProgram p;
        p.form.click(ctl::cmdAddBot); // nothing selected: an empty entry
        p.form.setSelectedIndex(ctl::list3, 1);
        for (int i = 0; i < 3; ++i)
            p.form.click(ctl::cmdAddBot);
        p.form.setSelectedIndex(ctl::list3, 3);
        p.form.doubleClick(ctl::list3);
        QCOMPARE(p.roster(), QStringList({"", "Telsia  ", "Telsia  ", "Telsia  ", "Kim 4"}));
        QCOMPARE(p.log.cues(), QStringList(5, QStringLiteral("chanopen.wav")));
        QCOMPARE(p.form.items(ctl::list3), QStringList({"Munro", "Telsia  ", "", "Kim 4"}));
    }

    void removeAndClear() {
        RosterProgram p;
        p.form.click(ctl::cmdRemoveBot); // empty roster, nothing selected
        p.form.doubleClick(ctl::list4);
        for (int i = 0; i < 3; ++i) {
            p.form.setSelectedIndex(ctl::list3, i);
            p.form.click(ctl::cmdAddBot);
        }
        p.form.setSelectedIndex(ctl::list4, 0);
        p.form.click(ctl::cmdRemoveBot);
        QCOMPARE(p.roster(), QStringList({"Telsia  ", ""}));
        p.form.setSelectedIndex(ctl::list4, 1);
        p.form.doubleClick(ctl::list4);
        QCOMPARE(p.roster(), QStringList({"Telsia  "}));
        p.form.click(ctl::cmdClearBots);
        p.form.click(ctl::cmdClearBots);
        QCOMPARE(p.roster(), QStringList());
        QCOMPARE(p.log.cues(),
                 QStringList({"beep2.wav", "beep2.wav", "chanopen.wav", "chanopen.wav",
                              "chanopen.wav", "beep2.wav", "beep2.wav", "beep.wav", "beep.wav"}));
        QVERIFY(p.log.messages().isEmpty());
    }

    void engageWritesOneAddbotLinePerEntryWithItsSpaces() {
        RosterProgram p;
        p.makeDataFolder();
        p.form.setText(ctl::txtNumberOfBotsToPlay, QStringLiteral("3"));
        for (int bot : {1, 2, 1}) {
            p.form.setSelectedIndex(ctl::list3, bot);
            p.form.click(ctl::cmdAddBot);
        }
        p.form.click(ctl::cmdEngage);
        QList<QByteArray> addbots;
        for (const QByteArray& line :
             p.readGameFile(QStringLiteral("baseEF/FragDocker.cfg")).split('\n'))
            if (line.startsWith("addbot"))
                addbots << line;
        QCOMPARE(addbots,
                 QList<QByteArray>({"addbot Telsia  \r", "addbot \r", "addbot Telsia  \r"}));
    }
};

QTEST_GUILESS_MAIN(TestBotRoster)
#include "tst_botroster.moc"
