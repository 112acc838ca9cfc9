#pragma once
// A set-up file: one save slot's set-up as a TOML text that a person can read and edit. Every
// setting of the settings record on a line of its own, under its store column's name and in
// the record's order: text in quotes, check boxes and option buttons true or false. Then the
// map rotation ("Maps") and the bot roster ("Bots"), one entry a line, in order. Comments
// start with '#'. A setting the file leaves out takes a new slot's initial value.

#include "core/Outcome.h"
#include "store/SlotTables.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace fd::setup {

// The most bytes a set-up file may hold.
inline constexpr qsizetype maxFileSize = 10 * 1024 * 1024;
// The names of the two lists in a file.
inline constexpr const char* mapsName = "Maps";
inline constexpr const char* botsName = "Bots";

// One set-up: a value for every setting, and the two lists.
struct Setup {
    StoredRecord record;
    QStringList maps; // the map rotation, in order
    QStringList bots; // the bot roster, in order
};

// The file's text: UTF-8, lines ended by LF, a comment at the top saying how to edit it.
QByteArray writeSetup(const Setup& setup);

// The set-up the bytes give, the settings they leave out taken from `fresh`; `file` names
// them in messages. Anything wrong is refused in one sentence naming the file, the line and
// the setting: an unknown name (with the closest known one), a value of the wrong kind, a line
// break or NUL in a value, no setting at all, bytes that are no UTF-8 text, too many bytes, a
// list longer than a list can be.
Outcome<Setup> readSetup(QByteArrayView bytes, const QString& file, const StoredRecord& fresh);
// The same for the file at the path; a file that cannot be read is a failure.
Outcome<Setup> readSetupFile(const QString& path, const StoredRecord& fresh);

// The script a set-up file is started with in the game's data folder: "FragDocker-<name>.cfg"
// after the file's name without its extension. A name of other characters than ASCII letters,
// digits, '-' and '_', or that a slot's script uses ("slot1" ...), is a usage problem.
Outcome<QString> scriptFileFor(const QString& path);

} // namespace fd::setup
