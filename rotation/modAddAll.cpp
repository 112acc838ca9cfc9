#include "modAddAll.h"

#include "catalog/Module1.h"

namespace fd {

void AddAllMaps(Context& ctx, const QString& cataloguePath) {
    appendInstalledMaps(ctx, cataloguePath, ctl::List2);
}

} // namespace fd
