#include "ListCommands.h"

#include "catalog/ListLimit.h"
#include "core/Context.h"

namespace fd {

void addSelected(Context& ctx, ListBox source, ListBox target) {
    ctx.cues.play(QString::fromLatin1(cue::chanopen));
    addOrAlert(ctx, target, ctx.form.selectedText(source));
}

void removeSelected(Context& ctx, ListBox list) {
    ctx.cues.play(QString::fromLatin1(cue::beep2));
    const int selected = ctx.form.selectedIndex(list);
    if (selected >= 0)
        ctx.form.removeItem(list, selected);
}

void clearList(Context& ctx, ListBox list) {
    ctx.cues.play(QString::fromLatin1(cue::beep));
    ctx.form.clear(list);
}

} // namespace fd
