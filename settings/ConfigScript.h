#pragma once
// The game's configuration script, line by line, from the current controls.

#include <QString>
#include <QStringList>

namespace fd {

class FormModel;

namespace text {
class LineSink;
}

namespace script {

// Lines 1 to 31: from the comment to bot chatting. The weapon enhancer factor is worked out
// by the caller beforehand.
void writeHead(const FormModel& form, const QString& weaponFactor, text::LineSink& out);
// The number of bots, written only when bots are on and a number of bots is given.
void writeBotCount(const FormModel& form, text::LineSink& out);
// From the bot skill to the map limits, the map rotation block and the bot block.
void writeTail(const FormModel& form, text::LineSink& out);

// The game's command line: as a dedicated server or not, the console commands given, then the
// script run by the name given.
QStringList gameArguments(const FormModel& form, const QStringList& commands,
                          const QString& scriptName);

} // namespace script
} // namespace fd
