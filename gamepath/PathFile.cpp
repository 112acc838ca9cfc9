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

Outcome<> ReadPathFile(FormModel& form, const QString& appFolder) {
    const QString path = fileIn(appFolder, pathFileName);
    const std::optional<QStringList> lines = text::readLines(path);
    if (!lines)
        return failed(QStringLiteral("The path file \"%1\" could not be read.").arg(path));
    for (const QString& line : *lines)
        form.setText(ctl::frmGamePath::txtGamePath, line);
    return Outcome<>::success();
}

Outcome<> WritePathFile(const QString& appFolder, const QStringList& lines) {
    return text::writeLinesAtomically(fileIn(appFolder, pathFileName), lines);
}

} // namespace fd
