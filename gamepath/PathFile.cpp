#include "PathFile.h"

#include "core/FormModel.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"

namespace fd {

namespace {
constexpr const char* pathFileName = "path.ini";
}

bool pathFileExists(const QString& appFolder) {
    PathResolver files;
    return files.isFileIn(appFolder, QString::fromLatin1(pathFileName));
}

bool ReadPathFile(FormModel& form, const QString& appFolder) {
    const std::optional<QStringList> lines = text::readLines(fileIn(appFolder, pathFileName));
    if (!lines)
        return false;
    for (const QString& line : *lines)
        form.setText(ctl::frmGamePath::txtGamePath, line);
    return true;
}

Outcome<> WritePathFile(const QString& appFolder, const QStringList& lines) {
    return text::writeLinesAtomically(fileIn(appFolder, pathFileName), lines);
}

} // namespace fd
