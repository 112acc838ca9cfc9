#include "SlotRecord.h"

#include "core/Context.h"
#include "core/TextFile.h"

#include <vector>

namespace fd {

namespace {

StoredValue storedValue(const FormModel& form, const Field& field) {
    switch (field.kind) {
    case FieldKind::Text:
        return text::trimSpaces(form.text(field.control.as<TextBox>()));
    case FieldKind::Chooser:
        return text::trimSpaces(form.text(field.control.as<ComboBox>()));
    case FieldKind::Check:
        return form.value(field.control.as<CheckBox>()) == 1;
    case FieldKind::Option:
        return form.selected(field.control.as<OptionButton>());
    case FieldKind::Flag:
        break;
    }
    return false;
}

// The record's order, with the number of bots moved behind the map limits that follow it.
const std::vector<std::size_t>& loadOrder() {
    static const std::vector<std::size_t> order = [] {
        std::vector<std::size_t> indices;
        std::size_t botCount = 0;
        for (std::size_t i = 0; i < settingsRecord.size(); ++i) {
            if (settingsRecord[i].control == ctl::txtNumberOfBotsToPlay)
                botCount = i;
            else if (settingsRecord[i].kind != FieldKind::Flag)
                indices.push_back(i);
        }
        indices.push_back(botCount);
        return indices;
    }();
    return order;
}

void putValue(FormModel& form, const Field& field, const StoredValue& value) {
    const bool isTrue = std::holds_alternative<bool>(value) && std::get<bool>(value);
    const QString* text = std::get_if<QString>(&value);
    const QString stored = text ? *text : QString();
    switch (field.kind) {
    case FieldKind::Text:
        return form.setText(field.control.as<TextBox>(), stored);
    case FieldKind::Chooser:
        return form.setText(field.control.as<ComboBox>(), stored);
    case FieldKind::Check:
        return form.setValue(field.control.as<CheckBox>(), isTrue ? 1 : 0);
    case FieldKind::Option:
        return form.setSelected(field.control.as<OptionButton>(), isTrue);
    case FieldKind::Flag:
        return; // not on the form
    }
}

// Which save slots a new store in the place of a damaged one carried over.
QString salvaged(const SettingsStore::Opening& opening) {
    if (opening.reset.isEmpty())
        return QStringLiteral("Every save slot could be read from the old store and was carried "
                              "into it.");
    if (opening.reset.size() == qsizetype(slotNames.size()))
        return QStringLiteral("Its seven save slots hold the initial settings.");
    return QStringLiteral("These save slots could not be read and hold the initial settings: "
                          "\"%1\"; every other save slot was carried into it.")
        .arg(opening.reset.join(QStringLiteral("\", \"")));
}

} // namespace

StoredRecord recordFromControls(const FormModel& form) {
    StoredRecord record;
    for (std::size_t i = 0; i < settingsRecord.size(); ++i)
        record[i] = storedValue(form, settingsRecord[i]);
    return record;
}

void putIntoControls(FormModel& form, const StoredRecord& record) {
    for (std::size_t i : loadOrder())
        putValue(form, settingsRecord[i], record[i]);
}

StoredRecord initialRecord(const QString& slot, const QString& gameFolder) {
    StoredRecord record;
    for (std::size_t i = 0; i < settingsRecord.size(); ++i) {
        const Field& field = settingsRecord[i];
        const QString initial = QString::fromLatin1(field.initial);
        if (field.kind == FieldKind::Chooser)
            record[i] = slot;
        else if (field.control == ctl::frmGamePath::txtGamePath)
            record[i] = text::trimSpaces(gameFolder);
        else if (field.kind == FieldKind::Text)
            record[i] = text::trimSpaces(initial);
        else
            record[i] = initial == u"1" || initial == u"true";
    }
    return record;
}

Outcome<> EditRecord(Context& ctx, SettingsStore& store, const QString& slot,
                     const std::vector<ReplacedFile*>& listFiles) {
    return store.write(slot, recordFromControls(ctx.form), listFiles);
}

Outcome<> GetFromDatabase(Context& ctx, SettingsStore& store, const QString& slot) {
    const Outcome<StoredRecord> record = store.read(slot);
    if (!record.ok())
        return record.reason();
    putIntoControls(ctx.form, *record);
    return Outcome<>::success();
}

bool openSettingsStore(Context& ctx, SettingsStore& store) {
    const QString gameFolder = ctx.form.text(ctl::frmGamePath::txtGamePath);
    const Outcome<SettingsStore::Opening> opened =
        store.open(ctx.appFolder,
                   [&gameFolder](const QString& slot) { return initialRecord(slot, gameFolder); });
    if (!opened.ok()) {
        ctx.alert(opened.failure());
        return false;
    }
    const SettingsStore::Opening& opening = *opened;
    if (!opening.keptAs.isEmpty())
        ctx.alert(QStringLiteral("The settings store \"%1\" could not be used: %2.\n\nIt was kept "
                                 "as \"%3\", and a new store was made. %4")
                      .arg(opening.damaged, opening.damage, opening.keptAs, salvaged(opening)));
    if (!opening.remade.isEmpty())
        ctx.alert(QStringLiteral("Parts of these save slots were missing from the settings store "
                                 "\"%1\": \"%2\".\n\nWhat was missing was made again with the "
                                 "initial settings; everything else is as it was.")
                      .arg(store.path(), opening.remade.join(QStringLiteral("\", \""))));
    if (!opening.uncompacted.isEmpty()) // no matter to the user: said where a log may keep it
        text::print(stderr, QStringLiteral("fragdocker: started on the settings store as it "
                                           "was: %1\n")
                                .arg(opening.uncompacted));
    return true;
}

} // namespace fd
