#include "SaveLoad.h"

#include "SettingsStore.h"
#include "SlotListFiles.h"
#include "SlotRecord.h"
#include "core/Context.h"
#include "core/PathResolver.h"

#include <QDir>
#include <QFileInfo>

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

QString makeSavedFolder(const Context& ctx) {
    PathResolver files;
    const QString folder = files.resolve(ctx.appFile(QStringLiteral("saved")));
    if (QDir().mkpath(folder))
        return {};
    return QStringLiteral("Could not create the folder \"%1\".").arg(folder);
}

// A list file as the last stored save left it: its new content beside it while a crash kept
// that from being put in place.
QString savedFile(const QStringList& unfinished, const QString& path) {
    const QString beside = ReplacedFile::besidePath(path);
    return unfinished.contains(path) && QFileInfo::exists(beside) ? beside : path;
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
    QString failure = makeSavedFolder(ctx);
    if (failure.isEmpty()) {
        const std::unique_ptr<ReplacedFile> bots = modWriteBotsFile(ctx);
        const std::unique_ptr<ReplacedFile> maps = modWriteMapsFile(ctx);
        failure = EditRecord(ctx, store, slot, {bots.get(), maps.get()});
    }
    if (!failure.isEmpty())
        return failed(failure);
    return Outcome<>::success();
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
    if (const QString failure = GetFromDatabase(ctx, store, slot); !failure.isEmpty())
        return failed(failure);
    // The lists follow the slot name the record gave the chooser, when it is one.
    const QString loaded = ctx.form.text(ctl::cmboSaveGame);
    const QString listSlot = isSlotName(loaded) ? loaded : slot;
    const QStringList unfinished = store.unfinished();
    modReadSavedBots(ctx, savedFile(unfinished, botListFile(ctx, listSlot)));
    modReadSavedMaps(ctx, savedFile(unfinished, mapListFile(ctx, listSlot)));
    return Outcome<>::success();
}

void cmboSaveGame_Change(Context& ctx) {
    ctx.form.setText(ctl::txtSaveGameDescription, QString());
}

} // namespace fd
