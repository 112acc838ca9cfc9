#include "CatalogControls.h"

#include "MapCatalogue.h"
#include "MapDetails.h"
#include "core/Context.h"

namespace fd {

void declareCatalogControls(FormModel& form) {
    form.declare(ctl::List1);
    form.declare(ctl::list3);
    form.declare(ctl::txtMapName, QString());
    form.declare(ctl::txtMapPlayers, QString());
    form.declare(ctl::picMaps);
    form.declare(ctl::frmErrorMap::cmdOk);
}

void connectCatalogHandlers(Context& ctx) {
    ctx.form.onClick(ctl::List1, [&ctx] { List1_Click(ctx); });
    ctx.form.onClick(ctl::List2, [&ctx] { List2_Click(ctx); });
    ctx.form.onClick(ctl::frmErrorMap::cmdOk, [&ctx] { frmErrorMap_cmdOk_Click(ctx); });
}

// A click in the Map List shows the clicked map's picture, name and players.
void List1_Click(Context& ctx) {
    ShowMapDetails(ctx, ctx.dataFile(QString::fromLatin1(mapCatalogueFile)),
                   ctx.form.selectedText(ctl::List1));
}

// A click in the rotation shows the same details for the map clicked there.
void List2_Click(Context& ctx) {
    ShowMapDetails(ctx, ctx.dataFile(QString::fromLatin1(mapCatalogueFile)),
                   ctx.form.selectedText(ctl::List2));
}

void frmErrorMap_cmdOk_Click(Context& ctx) {
    ctx.form.hide(Window::frmErrorMap);
    ctx.form.show(Window::frmFragDocker);
}

} // namespace fd
