#include "SlotListFiles.h"

#include "core/Context.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"

namespace fd {

namespace {

// The file of the slot in the folder "saved", matched without regard to letter case.
QString listFile(const Context& ctx, const QString& slot, const char* extension) {
    PathResolver files;
    return files.resolve(ctx.appFile(QStringLiteral("saved/")) + slot +
                         QString::fromLatin1(extension));
}

QString writeList(Context& ctx, const QString& path, ListBox list) {
    return text::writeLinesAtomically(path, ctx.form.items(list));
}

void readList(Context& ctx, const QString& path, ListBox list) {
    const std::optional<QStringList> lines = text::readLines(path);
    if (!lines)
        return;
    for (const QString& line : *lines)
        if (!ctx.form.addItem(list, line))
            return; // the list is full
}

} // namespace

QString botListFile(const Context& ctx, const QString& slot) {
    return listFile(ctx, slot, ".bot");
}

QString mapListFile(const Context& ctx, const QString& slot) {
    return listFile(ctx, slot, ".maps");
}

QString modWriteBotsFile(Context& ctx) {
    return writeList(ctx, botListFile(ctx, ctx.form.text(ctl::cmboSaveGame)), ctl::list4);
}

QString modWriteMapsFile(Context& ctx) {
    return writeList(ctx, mapListFile(ctx, ctx.form.text(ctl::cmboSaveGame)), ctl::List2);
}

void modReadSavedBots(Context& ctx, const QString& path) {
    readList(ctx, path, ctl::list4);
}

void modReadSavedMaps(Context& ctx, const QString& path) {
    readList(ctx, path, ctl::List2);
}

} // namespace fd
