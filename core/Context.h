#pragma once
// What every operation of the program works with: the controls, the platform services and
// the application folder.

#include "AppFolders.h"
#include "Cues.h"
#include "FormModel.h"
#include "Services.h"

#include <QString>

namespace fd {

inline constexpr const char* programTitle = "Fragdocker";

// The program's end: every window closes, the game folder dialog first.
inline void closeEveryWindow(FormModel& form) {
    form.close({Window::frmGamePath, Window::frmFragDocker, Window::frmErrorMap,
                Window::frmFragdockerRunning});
}

struct Context {
    FormModel& form;
    CuePlayer& cues;
    MessageBox& messages;
    ProcessLauncher& launcher;
    QString appFolder; // where the program writes: the store, path.ini, saved/
    FolderChooser& folders;
    QString shippedFolder; // the data that comes with the program (appFolder when portable)

    // A file or folder the program writes, e.g. appFile("path.ini").
    QString appFile(const QString& relative) const { return appFolder + u'/' + relative; }
    AppFolders appFolders() const { return {shippedFolder, appFolder}; }
    // A data file, the user's own copy first, e.g. dataFile("map.ini").
    QString dataFile(const QString& relative) const { return appFolders().dataFile(relative); }

    // The way every problem the user can correct is reported: the alert cue, then a message.
    void alert(const QString& message) const {
        cues.play(QString::fromLatin1(cue::ralert));
        messages.show(message);
    }
};

} // namespace fd
