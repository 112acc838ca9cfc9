#include "MapRotation.h"

#include "AddMaps.h"
#include "ListCommands.h"
#include "Randomize.h"
#include "catalog/MapCatalogue.h"
#include "core/Context.h"

namespace fd {

namespace {

QString catalogue(const Context& ctx) {
    return ctx.dataFile(QString::fromLatin1(mapCatalogueFile));
}

bool ctfSelected(const Context& ctx) {
    return ctx.form.selected(ctl::optionCTF);
}

} // namespace

void cmdAdd_Click(Context& ctx) {
    addSelected(ctx, ctl::List1, ctl::List2);
}

void List1_DblClick(Context& ctx) {
    cmdAdd_Click(ctx);
}

void cmdRemove_Click(Context& ctx) {
    removeSelected(ctx, ctl::List2);
}

void List2_DblClick(Context& ctx) {
    cmdRemove_Click(ctx);
}

void cmdAllMaps_Click(Context& ctx) {
    ctx.cues.play(QString::fromLatin1(cue::beep));
    AddAllMaps(ctx, catalogue(ctx));
}

void cmdAllCTF_Click(Context& ctx) {
    if (!ctfSelected(ctx)) {
        ctx.alert(QStringLiteral("You must have Game Type Selected CTF, if you want add CTF Maps"));
        return;
    }
    ctx.cues.play(QString::fromLatin1(cue::beep));
    AddMapsOfType(ctx, catalogue(ctx), 1);
}

void cmdAllFragdockMaps_Click(Context& ctx) {
    ctx.cues.play(QString::fromLatin1(cue::beep));
    if (ctfSelected(ctx)) {
        ctx.alert(QStringLiteral("You may only select maps that are CTF when GameType is CTF"));
        return;
    }
    AddMapsOfType(ctx, catalogue(ctx), 0);
}

void cmdClearMaps_Click(Context& ctx) {
    clearList(ctx, ctl::List2);
}

void cmdRandom_Click(Context& ctx, const std::function<double()>& draw) {
    ctx.cues.play(QString::fromLatin1(cue::beep));
    shuffleList(ctx.form, ctl::List2, draw);
}

} // namespace fd
