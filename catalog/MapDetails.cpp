#include "MapDetails.h"

#include "MapCatalogue.h"
#include "MapPictures.h"
#include "core/Context.h"
#include "core/PathResolver.h"

namespace fd {

void ShowMapDetails(Context& ctx, const QString& cataloguePath, const QString& selectedText) {
    const std::optional<CatalogueText> catalogue = readCatalogue(cataloguePath);
    if (!catalogue)
        return;
    PathResolver files;
    MapRecordReader reader(*catalogue);
    while (const std::optional<MapRecordView> record = reader.nextView()) {
        if (record->ListName != selectedText)
            continue;
        ctx.form.setText(ctl::txtMapName, record->MapName.toString());
        // Nothing stands between the folder and the field: the field brings its backslash.
        const QString picture =
            ctx.dataFile(QString::fromLatin1(mapimages::folder) + record->PictureFile.toString());
        if (files.isFile(picture)) {
            ctx.form.setPicture(ctl::picMaps, picture);
            ctx.form.setText(ctl::txtMapPlayers, record->RecommendedPlayers.toString());
        } else {
            ctx.cues.play(QString::fromLatin1(cue::ralert));
            ctx.form.hide(Window::frmFragDocker);
            ctx.form.show(Window::frmErrorMap);
        }
    }
}

} // namespace fd
