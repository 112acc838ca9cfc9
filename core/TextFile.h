#pragma once
// Text files as the program reads and writes them: read as UTF-8 when the bytes are valid
// UTF-8, otherwise as Windows-1252; lines end at CR LF or LF. Written as Windows-1252 when
// every character fits, otherwise as UTF-8, every line ended by CR LF.

#include "ReplacedFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringList>

#include <QStringView>

#include <cstdio>
#include <initializer_list>
#include <optional>

namespace fd::text {

QString decode(const QByteArray& bytes);
QByteArray encode(QStringView text);

// Where text goes line by line: an encoder in memory or a file.
class LineSink {
public:
    virtual ~LineSink() = default;
    // Appends one line made of the parts, so that no line needs to be put together first.
    virtual void line(std::initializer_list<QStringView> parts) = 0;
    void line(QStringView text) { line({text}); }
};

// Builds a text file's bytes line by line: Windows-1252 as long as every character fits,
// otherwise all of it UTF-8; every line ended by CR LF.
class LineEncoder : public LineSink {
public:
    using LineSink::line;
    void line(std::initializer_list<QStringView> parts) override;
    // Makes room for this many bytes in all, when the caller knows about how many will come.
    void reserve(qsizetype size);
    QByteArrayView bytes() const { return QByteArrayView(bytes_).first(used_); }
    bool isUtf8() const { return utf8_; }
    // Forgets the bytes so far, keeping the room and the encoding, once they are written out.
    void clear() { used_ = 0; }

private:
    void appendUtf8(QStringView text);
    char* makeRoom(qsizetype size); // where the next size bytes go
    QByteArray bytes_;              // its first used_ bytes are the text so far
    qsizetype used_ = 0;
    bool utf8_ = false;
};

// Writes a text file line by line as LineEncoder encodes it, in chunks of a fixed size, so that
// a long file is never held whole. Should a late line turn the file to UTF-8, what was written
// before is read back and rewritten in UTF-8. The file is replaced whole (see ReplacedFile).
class LineFile : public LineSink {
public:
    static constexpr qsizetype chunkSize = 64 * 1024;

    // The old file stays until close() replaces it. The new one is not forced to disk, which
    // would take longer than writing it: a file written anew at each use (the script) needs
    // only to be whole after a crash of the program.
    explicit LineFile(const QString& path);
    using LineSink::line;
    void line(std::initializer_list<QStringView> parts) override;
    // Writes the rest and puts the new file in the place of the old one; on a failure, the
    // first thing that failed (the old file then stays).
    Outcome<> close();

private:
    void writeHeld();
    void rewriteWrittenAsUtf8();

    ReplacedFile file_;
    LineEncoder encoder_;
};

// Whether the text holds a line break (CR or LF) or a NUL, which no line of a text file can.
bool breaksLine(QStringView text);
// A value on one line of output: backslashes, tabs, line breaks and other control characters
// written as escapes, so that no value can make a line or a field of its own, nor reach the
// terminal as a control sequence.
QString escapeControls(QStringView value);
// Writes the text to a standard stream in the system's encoding.
void print(std::FILE* stream, const QString& text);

// The text without the spaces at its start and end (other white space stays).
QString trimSpaces(const QString& text);

// The lines of a text; a line break at the very end gives no extra line.
QStringList splitLines(const QString& text);

// The file's lines, or nothing when there is no readable file at the path.
std::optional<QStringList> readLines(const QString& path);

// Replaces the file by one holding the lines (see ReplacedFile), not forced to disk.
Outcome<> writeLines(const QString& path, const QStringList& lines);
Outcome<> writeBytes(const QString& path, QByteArrayView bytes);
// The same, forced to disk before it takes the name, so that even a power loss leaves the old
// file or the new.
Outcome<> writeLinesAtomically(const QString& path, const QStringList& lines);

} // namespace fd::text
