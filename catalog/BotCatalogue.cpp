#include "BotCatalogue.h"

#include "ListLimit.h"
#include "core/Context.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"

namespace fd {

void LoadBotCatalogue(Context& ctx, const QString& cataloguePath) {
    PathResolver files;
    const std::optional<QStringList> lines = text::readLines(files.resolve(cataloguePath));
    if (!lines)
        return;
    for (const QString& line : *lines)
        if (!addOrAlert(ctx, ctl::list3, line))
            return;
}

} // namespace fd
