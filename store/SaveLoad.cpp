#include "SaveLoad.h"

#include "SettingsStore.h"
#include "SlotListFiles.h"
#include "SlotRecord.h"
#include "core/Context.h"
#include "core/PathResolver.h"

#include <QDir>

namespace fd {

namespace {

// The slot the chooser names, or empty text after telling the user that it names none: a
// typed text must never name a file outside the folder "saved".
QString chosenSlot(Context& ctx) {
    const QString slot = ctx.form.text(ctl::cmboSaveGame);
    if (isSlotName(slot))
        return slot;
    ctx.alert(QStringLiteral("\"%1\" is not a save slot. Please choose one of \"%2\" to \"%3\" "
                             "from the list.")
                  .arg(slot, QString::fromLatin1(slotNames.front()),
                       QString::fromLatin1(slotNames.back())));
    return {};
}

Outcome<> makeSavedFolder(const Context& ctx) {
    PathResolver files;
    const QString folder = files.resolve(ctx.appFile(QString::fromLatin1(storeFile::saved)));
    if (QDir().mkpath(folder))
        return Outcome<>::success();
    return failed(QStringLiteral("Could not create the folder \"%1\".").arg(folder));
}

// The slot's record into the controls, then its list files appended to the lists, all of one
// save; the lists follow the slot name the record gave the chooser, when it is one.
Outcome<> loadSave(Context& ctx, SettingsStore& store, const QString& slot) {
    if (Outcome<> loaded = GetFromDatabase(ctx, store, slot); !loaded.ok())
        return loaded;
    const QString loaded = ctx.form.text(ctl::cmboSaveGame);
    const QString listSlot = isSlotName(loaded) ? loaded : slot;
    const Outcome<QStringList> unfinished = store.unfinished();
    if (!unfinished.ok())
        return unfinished.reason();
    appendSavedBots(ctx, listSlot, *unfinished);
    appendSavedMaps(ctx, listSlot, *unfinished);
    return Outcome<>::success();
}

} // namespace

void declareSaveLoadControls(FormModel& form) {
    form.declare(ctl::cmdLoad);
    form.declare(ctl::cmdSave);
}

void connectSaveLoadHandlers(Context& ctx, SettingsStore& store) {
    ctx.form.onClick(ctl::cmdSave, [&ctx, &store] { cmdSave_Click(ctx, store); });
    ctx.form.onClick(ctl::cmdLoad, [&ctx, &store] { cmdLoad_Click(ctx, store); });
    ctx.form.onChange(ctl::cmboSaveGame, [&ctx] { cmboSaveGame_Change(ctx); });
}

bool isSlotName(const QString& text) {
    for (const char* name : slotNames)
        if (text == QLatin1String(name))
            return true;
    return false;
}

void cmdSave_Click(Context& ctx, SettingsStore& store) {
    const QString slot = chosenSlot(ctx);
    if (slot.isEmpty())
        return;
    ctx.cues.play(QString::fromLatin1(cue::working), CuePlayer::ToEnd);
    if (const Outcome<> saved = SaveSlot(ctx, store, slot); !saved.ok()) {
        ctx.alert(saved.failure());
        return;
    }
    ctx.cues.play(QString::fromLatin1(cue::trancomp));
}

Outcome<> SaveSlot(Context& ctx, SettingsStore& store, const QString& slot) {
    // The record and both list files, all or nothing.
    Outcome<> saved = makeSavedFolder(ctx);
    if (saved.ok()) {
        const std::unique_ptr<ReplacedFile> bots = writeBotListBeside(ctx);
        const std::unique_ptr<ReplacedFile> maps = writeMapListBeside(ctx);
        saved = EditRecord(ctx, store, slot, {bots.get(), maps.get()});
    }
    return saved;
}

void cmdLoad_Click(Context& ctx, SettingsStore& store) {
    const QString slot = chosenSlot(ctx);
    if (slot.isEmpty())
        return;
    ctx.cues.play(QString::fromLatin1(cue::filesrec));
    if (const Outcome<> loaded = LoadSlot(ctx, store, slot); !loaded.ok())
        ctx.alert(loaded.failure());
}

Outcome<> LoadSlot(Context& ctx, SettingsStore& store, const QString& slot) {
    return store.readTogether([&] { return loadSave(ctx, store, slot); });
}

void cmboSaveGame_Change(Context& ctx) {
    ctx.form.setText(ctl::txtSaveGameDescription, QString());
}

} // namespace fd
