#include "InstalledMaps.h"

#include "ListLimit.h"
#include "MapCatalogue.h"
#include "core/Context.h"
#include "core/GameFiles.h"
#include "core/PathResolver.h"

namespace fd {

namespace {

// A map is installed when its file exists under the game's data folder. One resolver serves
// the whole operation, so each folder is listed once however many maps are tested, and the data
// folder is found once.
class InstallationTest {
public:
    explicit InstallationTest(const FormModel& form) : form_(form) {}
    bool operator()(const QString& mapFile) {
        if (dataFolder_.isEmpty())
            dataFolder_ = files_.resolve(game::dataFolder(form_));
        return files_.isFileIn(dataFolder_, mapFile);
    }

private:
    const FormModel& form_;
    PathResolver files_;
    QString dataFolder_;
};

} // namespace

void appendInstalledMaps(Context& ctx, const QString& cataloguePath, ListBox list) {
    const std::optional<CatalogueText> catalogue = readCatalogue(cataloguePath);
    if (!catalogue)
        return;
    InstallationTest installed(ctx.form);
    MapRecordReader reader(*catalogue, std::ref(installed));
    while (const std::optional<MapRecordView> record = reader.nextView()) {
        if (!addOrAlert(ctx, list, record->ListName.toString()))
            return;
    }
}

void LoadMapCatalogue(Context& ctx, const QString& cataloguePath) {
    appendInstalledMaps(ctx, cataloguePath, ctl::List1);
}

} // namespace fd
