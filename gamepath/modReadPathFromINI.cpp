#include "modReadPathFromINI.h"

#include "core/FormModel.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"

namespace fd {

bool ReadPathFile(FormModel& form, const QString& path) {
    PathResolver files;
    const std::optional<QStringList> lines = text::readLines(files.resolve(path));
    if (!lines)
        return false;
    for (const QString& line : *lines)
        form.setText(ctl::frmGamePath::txtGamePath, line);
    return true;
}

} // namespace fd
