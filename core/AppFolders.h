#pragma once
// The application folder, split the way an installed program splits it. A portable program
// (its data beside it: the unpacked tarball, ./run, the demo) keeps everything in one folder.
// An installed program (in a "bin" folder with "../share/fragdocker" beside it) reads the data
// that comes with it from that shared folder, and writes in the user's own folder under the
// XDG data home, where the user's own catalogues and map pictures take precedence.

#include "Outcome.h"

#include <QString>

#include <utility>

namespace fd {

struct AppFolders {
    // A portable application folder: one folder for both.
    AppFolders(const QString& folder) : shipped(folder), writable(folder) {}
    AppFolders(QString shippedFolder, QString writableFolder)
        : shipped(std::move(shippedFolder)), writable(std::move(writableFolder)) {}

    QString shipped;  // the data that comes with the program: catalogues, pictures, cues
    QString writable; // what the program writes: dock.sav, path.ini, saved/

    bool installed() const { return shipped != writable; }
    // A data file, e.g. "map.ini" or "map_images\dm1.jpg": the user's own copy in the writable
    // folder when there is one, else the one that comes with the program; letter case ignored.
    QString dataFile(const QString& relative) const;
};

// The folders of the program lying in `programFolder`. `dataHome` is the XDG data home
// (see dataHomeInUse), used only when the program is installed.
AppFolders appFoldersOf(const QString& programFolder, const QString& dataHome);
// $XDG_DATA_HOME when it names an absolute path, else ~/.local/share.
QString dataHomeInUse();
// The folders of the running program. Needs the QCoreApplication to exist.
AppFolders runningProgramFolders();
// Makes the writable folder when it is missing (an installed program's first start).
Outcome<> makeWritableFolder(const AppFolders& folders);

} // namespace fd
