#pragma once
// Text files as the program reads and writes them: read as UTF-8 when the bytes are valid
// UTF-8, otherwise as Windows-1252; lines end at CR LF or LF. Written as Windows-1252 when
// every character fits, otherwise as UTF-8, every line ended by CR LF.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace fd::text {

QString decode(const QByteArray& bytes);
QByteArray encode(const QString& text);

// The text without the spaces at its start and end (other white space stays).
QString trimSpaces(const QString& text);

// The lines of a text; a line break at the very end gives no extra line.
QStringList splitLines(const QString& text);
// Every line followed by CR LF.
QString joinLines(const QStringList& lines);

// The file's lines, or nothing when there is no readable file at the path.
std::optional<QStringList> readLines(const QString& path);

// Creates or empties the file and writes the lines. Returns empty text, or what failed.
QString writeLines(const QString& path, const QStringList& lines);
// The same through a temporary file renamed over the old one, so that a crash at any moment
// leaves either the old file or the new one.
QString writeLinesAtomically(const QString& path, const QStringList& lines);

} // namespace fd::text
