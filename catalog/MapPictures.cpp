#include "MapPictures.h"

#include "core/Context.h"
#include "core/PathResolver.h"

namespace fd {

void ShowPlaceholderPicture(Context& ctx) {
    PathResolver files;
    ctx.form.setPicture(ctl::picMaps,
                        files.resolve(ctx.appFile(QString::fromLatin1(mapimages::placeholder))));
}

} // namespace fd
