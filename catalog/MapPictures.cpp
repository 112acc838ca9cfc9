#include "MapPictures.h"

#include "core/Context.h"
#include "core/PathResolver.h"

namespace fd {

QString placeholderPicture(const QString& appFolder) {
    return fileIn(appFolder, mapimages::placeholder);
}

void ShowPlaceholderPicture(Context& ctx) {
    ctx.form.setPicture(ctl::picMaps, placeholderPicture(ctx.appFolder));
}

} // namespace fd
