#pragma once
// What every operation of the program works with: the controls, the platform services and
// the application folder.

#include "Cues.h"
#include "FormModel.h"
#include "Services.h"

#include <QString>

namespace fd {

inline constexpr const char* programTitle = "Fragdocker";

struct Context {
    FormModel& form;
    CuePlayer& cues;
    MessageBox& messages;
    ProcessLauncher& launcher;
    QString appFolder; // the folder of the running program
    FolderChooser& folders;
    QString winePrefix; // the Wine prefix whose registry tells where the game is installed

    // A file or folder of the application folder, e.g. appFile("WAVS/beep.wav").
    QString appFile(const QString& relative) const { return appFolder + u'/' + relative; }

    // The way every problem the user can correct is reported: the alert cue, then a message.
    void alert(const QString& message) const {
        cues.play(QString::fromLatin1(cue::ralert));
        messages.show(message);
    }
};

} // namespace fd
