// Text files: the code page rules, line ends and atomic writing.

#include "core/TextFile.h"

#include <QtTest>

using namespace fd;

class TestTextFile : public QObject {
    Q_OBJECT

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void everySingleByteSurvivesReadAndWrite() {
        QByteArray bytes;
        for (int b = 0x20; b < 0x100; ++b)
            bytes.append(char(b));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("line.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes + "\r\n");
        file.close();

        const std::optional<QStringList> lines = text::readLines(path);
        QVERIFY(lines);
        QCOMPARE(lines->size(), 1);
        QCOMPARE(lines->first().at(0x80 - 0x20), QChar(0x20AC)); // the euro sign
        QCOMPARE(text::encode(lines->first()), bytes);
    }

    void validUtf8IsReadAsUtf8AndWrittenAsWindows1252() {
        const QString text = text::decode("Caf\xc3\xa9");
        QCOMPARE(text, QStringLiteral("Café"));
        QCOMPARE(text::encode(text), QByteArray("Caf\xe9"));
    }

    void textBeyondWindows1252IsWrittenAsUtf8() {
        const QString text = QStringLiteral("Ω café");
        QCOMPARE(text::encode(text), text.toUtf8());
    }

    void oneLineBeyondWindows1252TurnsTheWholeFileToUtf8() {
        // The first line's single bytes (C3 A9) would also read as UTF-8; they must not be
        // taken for it when the file turns to UTF-8.
        text::LineEncoder encoder;
        encoder.line(QStringLiteral("Ã©"));
        encoder.line({u"x ", u"Ω"});
        encoder.line(QStringLiteral("é"));
        QCOMPARE(encoder.bytes(), QStringLiteral("Ã©\r\nx Ω\r\né\r\n").toUtf8());
    }

    void linesEndAtCrLfOrLf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("one line, no break") << "a" << QStringList({"a"});
        QTest::newRow("final break adds nothing") << "a\r\n" << QStringList({"a"});
        QTest::newRow("mixed ends") << "a\r\nb\nc" << QStringList({"a", "b", "c"});
        QTest::newRow("blank lines kept") << "\r\n\r\nx\r\n\r\n" << QStringList({"", "", "x", ""});
        QTest::newRow("spaces and lone CR kept") << " a \rb \n" << QStringList({" a \rb "});
    }
    void linesEndAtCrLfOrLf() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(text::splitLines(text), lines);
    }

    void writtenLinesEndWithCrLf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.txt"));
        QVERIFY(text::writeLines(path, {QStringLiteral("a"), QString(), QStringLiteral(" b ")})
                    .isEmpty());
        QCOMPARE(readAll(path), QByteArray("a\r\n\r\n b \r\n"));
        QVERIFY(text::writeLinesAtomically(path, {}).isEmpty());
        QCOMPARE(readAll(path), QByteArray());
    }

    void failuresNameTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/out.txt"));
        QVERIFY(text::writeLines(path, {}).contains(path));
        QVERIFY(text::writeLinesAtomically(path, {}).contains(path));
        QVERIFY(!text::readLines(path));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
