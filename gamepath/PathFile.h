#pragma once
// The path file path.ini of the application folder: the remembered game folder, one line.

#include "core/Outcome.h"

#include <QString>
#include <QStringList>

namespace fd {

class FormModel;

bool pathFileExists(const QString& appFolder);

// Puts each line of the path file, as read, into the game folder dialog's path box, so the
// last line is the game folder. A failure when there is no path file to read.
Outcome<> ReadPathFile(FormModel& form, const QString& appFolder);

// Replaces the path file in one step, whatever the letter case of its name.
Outcome<> WritePathFile(const QString& appFolder, const QStringList& lines);

} // namespace fd
