// The building blocks: the control model, text files, decimal numbers, and the cue player (cues
// never hang). File names in any letter case are met by every test that puts files in place;
// the real launcher by the windows test.

#include "core/Decimal.h"
#include "core/FormModel.h"
#include "core/PathResolver.h"
#include "core/ReplacedFile.h"
#include "core/TextFile.h"
#include "platform/SystemCuePlayer.h"
#include "support/CatalogFiles.h"

#include <QtTest>

#include <sys/wait.h>

using namespace Qt::StringLiterals;
using namespace fd;

namespace {

constexpr CheckBox chkA{"chkA"}, chkB{"chkB"};
constexpr OptionButton optX{"optX"}, optY{"optY"}, optZ{"optZ"};
constexpr ListBox lst{"lst"};

// A few controls whose handlers record that they ran.
struct Controls {
    FormModel form;
    QStringList calls;
    Controls() {
        form.declare(chkA, 0);
        form.declare(chkB, 1);
        form.declare(optX, u"g"_s, true);
        form.declare(optY, u"g"_s, false);
        form.declare(optZ, u"other"_s, false);
        form.declare(lst);
        form.onClick(chkB, [this] { calls << u"B"_s; });
        form.onClick(optX, [this] { calls << u"X"_s; });
        form.onClick(optY, [this] { calls << u"Y"_s; });
        form.onClick(chkA, [this] {
            calls << u"A in"_s;
            form.setValue(chkB, 0); // runs B's handler at once
            calls << u"A out"_s;
        });
    }
};

// A mono 16-bit wave file of 200 ms of silence at 8000 samples a second.
const QByteArray wave =
    QByteArray::fromHex("52494646a40c000057415645666d74201000000001000100401f0000803e0000"
                        "0200100064617461800c0000") +
    QByteArray(3200, '\0');

} // namespace

class TestCore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Handlers run exactly when a value changes, nested ones at once; an option clears only
    // its own group.
    void handlersRunOnlyOnChange() {
        Controls c;
        c.form.setValue(chkA, 0);
        c.form.setValue(chkA, 1);
        c.form.setValue(chkA, 1);
        c.form.select(optY);
        c.form.select(optY);
        QCOMPARE(c.calls, QStringList({"A in", "B", "A out", "Y"}));
        QVERIFY(!c.form.selected(optX) && !c.form.selected(optZ));
        c.form.setSelected(optY, false); // a group can be left empty
        QVERIFY(!c.form.selected(optX) && !c.form.selected(optY));
        // Windows too: a window shown, hidden or closed twice changes once.
        QSignalSpy windows(&c.form, &FormModel::windowChanged);
        using Change = void (FormModel::*)(Window);
        for (Change change : std::initializer_list<Change>{
                 &FormModel::hide, &FormModel::show, &FormModel::show, &FormModel::hide,
                 &FormModel::hide, &FormModel::close, &FormModel::close, &FormModel::show})
            (c.form.*change)(Window::frmGamePath);
        QCOMPARE(windows.size(), 3);
        // An id made by hand with another kind under a declared name is refused.
        QVERIFY_THROWS_EXCEPTION(std::logic_error, c.form.value(CheckBox{"lst"}));
    }

    void listsKeepOrderAndSelection() {
        Controls c;
        for (const char* item : {"a", "b", "c"})
            QVERIFY(c.form.addItem(lst, QString::fromLatin1(item)));
        c.form.setSelectedIndex(lst, 2);
        c.form.removeItem(lst, 0);
        QCOMPARE(c.form.selectedText(lst), u"c"_s); // the selection moved up
        c.form.removeItem(lst, 1);
        c.form.removeItem(lst, -1); // no item there: nothing changes
        c.form.removeItem(lst, 1);
        c.form.clickItem(lst, 1); // past the end: nothing is selected
        QCOMPARE(c.form.selectedIndex(lst), -1);
        QCOMPARE(c.form.items(lst), QStringList({"b"}));
    }

    // Single bytes are Windows-1252 both ways; valid UTF-8 is read as UTF-8; text beyond
    // Windows-1252 turns the whole file to UTF-8, without taking earlier bytes for UTF-8.
    void codePages() {
        QCOMPARE(text::decode("\x80\xe9\x9f"), u"€éŸ"_s); // every byte: see ENGAGE's roster
        QCOMPARE(text::decode("Caf\xc3\xa9"), u"Café"_s);
        QCOMPARE(text::encode(u"Café"_s), QByteArray("Caf\xe9"));
        QCOMPARE(text::encode(u"Ω café"_s), u"Ω café"_s.toUtf8());
        QCOMPARE(text::encode(u"\u00A0ÿ"_s), QByteArray("\xA0\xFF")); // the ends of Latin-1
        QCOMPARE(text::encode(u"\u0080 has no byte"_s), QByteArray("\xC2\x80 has no byte"));
        text::LineEncoder encoder;
        encoder.line(u"Ã©"_s);
        encoder.line({u"x ", u"\u0080"}); // the first unit past ASCII, alone in its part
        encoder.line(u"é"_s);
        QCOMPARE(encoder.bytes(), u"Ã©\r\nx \u0080\r\né\r\n"_s.toUtf8());
    }

    // A file written in chunks holds what the encoder makes of the same lines, also when a line
    // after the first chunk turns it to UTF-8, and nothing of the longer file it replaces.
    void lineFileMatchesTheEncoder() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"long.txt"_s);
        for (const int turn : {-1, 9'000}) { // the line that turns the file to UTF-8, if any
            test::writeFile(path, QByteArray(400'000, 'x'));
            text::LineFile file(path);
            text::LineEncoder encoder;
            for (int i = 0; i <= 10'000; ++i) {
                const QString line = i == turn ? u"Ω"_s : u"line é "_s + QString::number(i);
                file.line(line);
                encoder.line(line);
            }
            QVERIFY(file.close().ok());
            QCOMPARE(test::readFile(path), encoder.bytes().toByteArray());
        }
    }

    void linesEndAtCrLfOrLf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("final break adds nothing") << "a\r\n" << QStringList({"a"});
        QTest::newRow("mixed ends") << "a\r\nb\nc" << QStringList({"a", "b", "c"});
        QTest::newRow("blank first line") << "\na" << QStringList({"", "a"});
        QTest::newRow("blank lines kept") << "\r\n\r\nx\r\n\r\n" << QStringList({"", "", "x", ""});
        QTest::newRow("spaces and lone CR kept") << " a \rb \n" << QStringList({" a \rb "});
    }
    void linesEndAtCrLfOrLf() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(text::splitLines(text), lines);
    }

    void writtenLinesEndWithCrLfAndFailuresNameTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"out.txt"_s);
        QVERIFY(text::writeLines(path, {u"a"_s, QString(), u" b "_s}).ok());
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("a\r\n\r\n b \r\n"));
        const QString missing = dir.filePath(u"missing/out.txt"_s);
        ReplacedFile unopened(missing); // after a failure nothing more is done
        QVERIFY(!unopened.write("x").ok() && !unopened.finish().ok() &&
                !unopened.putInPlace().ok());
        QVERIFY(unopened.commit().failure().contains(missing));
        QVERIFY(text::writeLines(missing, {}).failure().contains(missing));
        QVERIFY(text::writeLinesAtomically(missing, {}).failure().contains(missing));
        QVERIFY(!text::readLines(missing));
    }

    // A replaced file never writes through what someone planted at its names: a link at the
    // file, at "<name>.new" or at "<name>.old", or another name of someone's file, is replaced
    // and its target untouched; whatever the umask and the old file's mode, the new is private.
    void replacedFilesFollowNoPlantedLinkAndStayPrivate_data() {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<int>("mask");
        for (const int mask : {022, 077})
            for (const char* planted : {"nothing", "", ".new", ".old", ".old hard link"})
                QTest::addRow("%s, umask %03o", planted, mask)
                    << QString::fromLatin1(planted) << mask;
    }
    void replacedFilesFollowNoPlantedLinkAndStayPrivate() {
        QFETCH(QString, planted);
        QFETCH(int, mask);
        QTemporaryDir dir;
        const QString target = dir.filePath(u"users.txt"_s);
        test::writeFile(target, "the user's");
        const QString kept = dir.filePath(u"kept.cfg"_s),
                      replaced = dir.filePath(u"replaced.ini"_s);
        for (const QString& path : {kept, replaced}) {
            test::writeFile(path, "old");
            QCOMPARE(::chmod(QFile::encodeName(path), 0644), 0);
            const QString name = path + planted.section(u' ', 0, 0);
            if (planted == u"nothing")
                continue;
            QFile::remove(name); // the file itself, when the link takes its name
            const QByteArray from = QFile::encodeName(target), to = QFile::encodeName(name);
            QCOMPARE(planted.endsWith(u"link") ? ::link(from, to) : ::symlink(from, to), 0);
        }
        const ino_t original = test::inodeOf(kept);
        const mode_t before = ::umask(mode_t(mask));
        for (const QString& content : {u"first"_s, u"second"_s}) { // the second reuses the first's
            text::LineFile lines(kept);
            lines.line(content);
            QVERIFY(lines.close().ok());
            QVERIFY(text::writeLinesAtomically(replaced, {content}).ok());
            for (const QString& path : {kept, replaced}) {
                QCOMPARE(test::readFile(path), (content + u"\r\n"_s).toLatin1());
                QCOMPARE(test::regularFileMode(path), 0600);
            }
            QCOMPARE(test::readFile(target), QByteArray("the user's"));
        }
        QVERIFY(planted.isEmpty() || test::inodeOf(kept) == original); // reused, not made anew
        ::umask(before);
    }

    // A path is found in any letter case, also beyond ASCII and through a link to a folder; a link
    // to a file is a file; of names that differ in case only, the first in name order is taken.
    void pathsInAnyLetterCase() {
        QTemporaryDir dir;
        test::touch(dir.filePath(u"Ωμέγα/file.TXT"_s));
        test::touch(dir.filePath(u"Ωμέγα/File.TXT"_s));
        QVERIFY(QFile::link(dir.filePath(u"Ωμέγα"_s), dir.filePath(u"Link"_s)));
        QCOMPARE(PathResolver().resolve(dir.path() + u"/link/file.txt"_s),
                 dir.path() + u"/Link/File.TXT"_s);
        QVERIFY(PathResolver().isFile(dir.path() + u"\\ΩΜΈΓΑ\\..\\Link\\.\\file.txt"_s) &&
                !PathResolver().isFile(dir.path() + u"/Ωμέγα/.."_s)); // dot names are folders
        QVERIFY(QFile::link(dir.filePath(u"Ωμέγα/file.TXT"_s), dir.filePath(u"FileLink"_s)));
        QVERIFY(PathResolver().isFile(dir.path() + u"/FileLink"_s));
        QCOMPARE(PathResolver().resolve(dir.path() + u"/ΩΜΈΓΑ\\/"_s), dir.path() + u"/Ωμέγα"_s);
    }

    void decimals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("timesThirtyThree"); // empty: not a number
        QTest::addColumn<bool>("positive");
        // clang-format off
        QTest::newRow("tenth, exactly") << "0.1" << "3.3" << true;
        QTest::newRow("leading zeros") << "007" << "231" << true;
        QTest::newRow("negative") << "-2" << "-66" << false;
        QTest::newRow("negative zero") << "-0.0" << "0" << false;
        QTest::newRow("negative, under one") << "-0.01" << "-0.33" << false;
        QTest::newRow("long") << "123456789012345678901234567890" << "4074074037407407403740740740370" << true;
        for (const char* text : {"1e2", "abc", "", ".", "0,5", "1.", "2.x", ".5", "1.2.3"})
            QTest::addRow("not a number: '%s'", text) << text << "" << false;
        // clang-format on
    }
    void decimals() {
        QFETCH(QString, text);
        QFETCH(QString, timesThirtyThree);
        QFETCH(bool, positive);
        const std::optional<Decimal> number = Decimal::parse(text);
        QCOMPARE(number ? number->times(33).toString() : QString(), timesThirtyThree);
        QCOMPARE(number && number->isPositive(), positive);
    }

    // Whether or not this machine has a sound device, a cue played to its end returns within its
    // length and a margin, missing or broken files return at once, and background players leave
    // no finished process behind.
    void cuesNeverHangNorLeaveProcessesBehind() {
        QTemporaryDir dir;
        test::writeFile(dir.filePath("WAVS/short.wav"), wave);
        QCOMPARE(SystemCuePlayer::durationMs(dir.filePath("WAVS/short.wav")), 200);
        {
            SystemCuePlayer player(dir.path());
            QElapsedTimer timer;
            timer.start();
            for (const char* cue : {"short.wav", "missing.wav"})
                player.play(QString::fromLatin1(cue), CuePlayer::ToEnd);
            QVERIFY2(timer.elapsed() < 5000, "a cue blocked far beyond its length");
            player.play(u"short.wav"_s, CuePlayer::Background);
            player.play(u"short.wav"_s, CuePlayer::Background);
            QTest::qWait(1500); // both players have ended by now
        }
        QCOMPARE(::waitpid(-1, nullptr, WNOHANG), -1); // no child left, finished or not
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
