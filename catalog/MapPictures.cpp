#include "MapPictures.h"

#include "core/Context.h"
#include "core/PathResolver.h"

namespace fd {

QString placeholderPicture(const AppFolders& appFolders) {
    return appFolders.dataFile(QString::fromLatin1(mapimages::placeholder));
}

void ShowPlaceholderPicture(Context& ctx) {
    ctx.form.setPicture(ctl::picMaps, placeholderPicture(ctx.appFolders()));
}

} // namespace fd
