#pragma once

#include <QString>

namespace fd {

class FormModel;

// Puts each line of the path file, as read, into the game folder dialog's path box, so the
// last line is the game folder. False when there is no file at the path.
bool ReadPathFile(FormModel& form, const QString& path);

} // namespace fd
