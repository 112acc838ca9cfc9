#include "SlotListFiles.h"

#include "core/Context.h"
#include "core/PathResolver.h"
#include "core/ReplacedFile.h"
#include "core/TextFile.h"

namespace fd {

namespace {

// The file of the slot in the folder "saved", matched without regard to letter case.
QString listFile(const Context& ctx, const QString& slot, const char* extension) {
    PathResolver files;
    return files.resolve(ctx.appFile(QStringLiteral("saved/")) + slot +
                         QString::fromLatin1(extension));
}

std::unique_ptr<ReplacedFile> writeList(Context& ctx, const QString& path, ListBox list) {
    auto file = std::make_unique<ReplacedFile>(path);
    text::LineEncoder lines;
    for (const QString& item : ctx.form.items(list))
        lines.line(item);
    (void)file->write(lines.bytes()); // a failure stays, and the save reports it
    return file;
}

void readList(Context& ctx, const QString& path, const QStringList& unfinished, ListBox list) {
    // The new content is tried first, as the save that wrote it may put it in place meanwhile:
    // once it is gone from beside, the file holds it.
    std::optional<QStringList> lines;
    if (unfinished.contains(path))
        lines = text::readLines(ReplacedFile::besidePath(path));
    if (!lines)
        lines = text::readLines(path);
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

std::unique_ptr<ReplacedFile> writeBotListBeside(Context& ctx) {
    return writeList(ctx, botListFile(ctx, ctx.form.text(ctl::cmboSaveGame)), ctl::list4);
}

std::unique_ptr<ReplacedFile> writeMapListBeside(Context& ctx) {
    return writeList(ctx, mapListFile(ctx, ctx.form.text(ctl::cmboSaveGame)), ctl::List2);
}

void appendSavedBots(Context& ctx, const QString& slot, const QStringList& unfinished) {
    readList(ctx, botListFile(ctx, slot), unfinished, ctl::list4);
}

void appendSavedMaps(Context& ctx, const QString& slot, const QStringList& unfinished) {
    readList(ctx, mapListFile(ctx, slot), unfinished, ctl::List2);
}

} // namespace fd
