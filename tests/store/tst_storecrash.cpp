// The program killed at any moment of the store's start-up or of a save: the next start still
// finds a store with every slot whole.

#include "StoreFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <QProcess>

using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

QString storeOf(const TestFolders& folders) {
    return folders.appFolder() + QStringLiteral("/dock.sav");
}

// Runs the helper to its end, or to the kill it gives itself.
bool runHelper(const TestFolders& folders, const QStringList& arguments) {
    QProcess helper;
    helper.start(QStringLiteral(STORE_CRASH_HELPER), QStringList{folders.appFolder()} + arguments);
    return helper.waitForFinished(60000);
}

// Starts the helper's loop and kills it the given time after its store is open.
void killHelperDuring(const TestFolders& folders, const QString& loop, int afterMs) {
    QProcess helper;
    helper.start(QStringLiteral(STORE_CRASH_HELPER), {folders.appFolder(), loop});
    QVERIFY(helper.waitForReadyRead(60000));
    QTest::qWait(afterMs);
    helper.kill();
    QVERIFY(helper.waitForFinished(60000));
}

// The lock file of a killed run stays behind and would make the next start take it for a
// running copy; the user removes it, as the test does.
std::unique_ptr<TestProgram> nextStart(const std::shared_ptr<TestFolders>& folders) {
    QFile::remove(folders->appFolder() + QStringLiteral("/dock.ldb"));
    return std::make_unique<TestProgram>(folders);
}

// The values a slot's text settings hold; one value when the slot was saved whole.
QSet<QString> textValues(const QString& store, const QString& slot) {
    QSet<QString> values;
    for (const Field& field : settingsRecord)
        if (field.kind == FieldKind::Text && qstrcmp(field.name, "SaveFile") != 0)
            values.insert(test::storedText(store, slot, QString::fromLatin1(field.name)));
    return values;
}

QStringList listFileLines(const TestFolders& folders, const QString& name) {
    QFile file(folders.appFolder() + QStringLiteral("/saved/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("(missing)")};
    return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

void verifyEverySlotWhole(TestProgram& p, const TestFolders& folders) {
    QCOMPARE(p.startUp.messages(), QStringList());
    QVERIFY(p.store.isOpen());
    for (const char* name : slotNames) {
        const QString slot = QString::fromLatin1(name);
        QCOMPARE(textValues(storeOf(folders), slot).size(), 1);
        for (const char* extension : {".bot", ".maps"}) {
            const QStringList lines = listFileLines(folders, slot + QLatin1String(extension));
            QCOMPARE(lines.size(), 50);
            QCOMPARE(QSet<QString>(lines.begin(), lines.end()).size(), 1);
        }
    }
}

std::shared_ptr<TestFolders> filledFolders() {
    auto folders = std::make_shared<TestFolders>();
    { TestProgram first(folders); }
    [&] { QVERIFY(runHelper(*folders, {QStringLiteral("fill"), QStringLiteral("before")})); }();
    return folders;
}

} // namespace

class TestStoreCrash : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedAfterEachStepOfTheStart_data() {
        QTest::addColumn<int>("step");
        QTest::newRow("leftovers settled") << 1;
        QTest::newRow("store made when missing") << 2;
        QTest::newRow("compacted copy written") << 3;
        QTest::newRow("copy put in place") << 4;
        QTest::newRow("store opened") << 5;
    }
    void killedAfterEachStepOfTheStart() {
        QFETCH(int, step);
        auto folders = filledFolders();
        const QStringList before = test::slotRows(storeOf(*folders));
        QVERIFY(runHelper(*folders, {QStringLiteral("start"), QString::number(step)}));
        auto p = nextStart(folders);
        verifyEverySlotWhole(*p, *folders);
        QCOMPARE(test::slotRows(storeOf(*folders)), before);
    }

    void killedAfterEachStepOfASave_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("bots");
        QTest::addColumn<QString>("maps");
        const QString before = QStringLiteral("before");
        const QString helper = QStringLiteral("Saved by the helper");
        QTest::newRow("store opened") << 1 << before << before << before;
        QTest::newRow("record written") << 2 << helper << before << before;
        QTest::newRow("bot list written") << 3 << helper << helper << before;
        QTest::newRow("map list written") << 4 << helper << helper << helper;
    }
    void killedAfterEachStepOfASave() {
        QFETCH(int, step);
        QFETCH(QString, record);
        QFETCH(QString, bots);
        QFETCH(QString, maps);
        auto folders = filledFolders();
        QVERIFY(runHelper(*folders, {QStringLiteral("save"), QString::number(step)}));
        auto p = nextStart(folders);
        verifyEverySlotWhole(*p, *folders);
        const QString slot = QStringLiteral("Save Game #3");
        QCOMPARE(textValues(storeOf(*folders), slot), QSet<QString>({record}));
        QCOMPARE(listFileLines(*folders, slot + QStringLiteral(".bot")).value(0), bots);
        QCOMPARE(listFileLines(*folders, slot + QStringLiteral(".maps")).value(0), maps);
    }

    void killedAtAnyMomentOfSavesOrStarts_data() {
        QTest::addColumn<QString>("loop");
        QTest::addColumn<int>("afterMs");
        for (const QString& loop : {QStringLiteral("save-loop"), QStringLiteral("start-loop")})
            for (int ms : {0, 2, 5, 11, 17, 29, 43, 61})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2 ms").arg(loop).arg(ms)))
                    << loop << ms;
    }
    void killedAtAnyMomentOfSavesOrStarts() {
        QFETCH(QString, loop);
        QFETCH(int, afterMs);
        auto folders = filledFolders();
        killHelperDuring(*folders, loop, afterMs);
        auto p = nextStart(folders);
        verifyEverySlotWhole(*p, *folders);
    }
};

QTEST_MAIN(TestStoreCrash)
#include "tst_storecrash.moc"
