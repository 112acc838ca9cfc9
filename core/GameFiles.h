#pragma once
// The game's own files, as the program relies on them: its folder holds the server program and
// the data folder, into which ENGAGE writes the script. The game folder in use is the text of
// the game folder dialog's path box.

#include "Controls.h"
#include "FormModel.h"

#include <QString>

namespace fd::game {

inline constexpr const char* programFile = "stvoyHM.exe";
inline constexpr const char* dataFolderName = "baseEF";
inline constexpr const char* scriptFile = "FragDocker.cfg";
// The name the game's command line runs the window's script by; the game finds its files
// whatever their letter case.
inline constexpr const char* scriptCommandName = "fragdocker.cfg";

inline QString gameFolder(const FormModel& form) {
    return form.text(ctl::frmGamePath::txtGamePath);
}

// A file or folder of a game folder, as named here; the disk may spell it in another case.
inline QString inFolder(const QString& folder, const char* name) {
    return folder + u'/' + QString::fromLatin1(name);
}

inline QString dataFolder(const FormModel& form) {
    return inFolder(gameFolder(form), dataFolderName);
}

inline QString gameProgram(const FormModel& form) {
    return inFolder(gameFolder(form), programFile);
}

} // namespace fd::game
