#include "AddMaps.h"

#include "catalog/InstalledMaps.h"
#include "catalog/ListLimit.h"
#include "catalog/MapCatalogue.h"
#include "core/Context.h"

namespace fd {

void AddAllMaps(Context& ctx, const QString& cataloguePath) {
    appendInstalledMaps(ctx, cataloguePath, ctl::List2);
}

void AddMapsOfType(Context& ctx, const QString& cataloguePath, int flag) {
    const std::optional<CatalogueText> lines = readCatalogue(cataloguePath);
    if (!lines)
        return;
    MapRecordReader reader(*lines);
    while (const std::optional<MapRecord> record = reader.next())
        if (hasCtfFlag(*record, flag) && !addOrAlert(ctx, ctl::List2, record->ListName))
            return;
}

} // namespace fd
