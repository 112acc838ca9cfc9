#include "LineBreaks.h"

#include "SettingsRecord.h"
#include "core/FormModel.h"
#include "core/TextFile.h"

namespace fd {

namespace {

// The text settings that the script writes: all but the slot, its description and the game
// folder.
bool writtenIntoScript(const Field& field) {
    return field.kind == FieldKind::Text && field.control != ctl::txtSaveGameDescription &&
           field.control != ctl::frmGamePath::txtGamePath;
}

QString refusal(const QString& what) {
    return QStringLiteral("%1 holds a line break or a NUL character, which the server script "
                          "cannot take. Please correct it first.")
        .arg(what);
}

QString entryThatBreaksALine(const QStringList& entries, const QString& list) {
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (text::breaksLine(entries[i]))
            return refusal(QStringLiteral("Entry %1 of the %2").arg(i + 1).arg(list));
    return {};
}

} // namespace

QString valueThatBreaksALine(const FormModel& form) {
    for (const Field& field : settingsRecord)
        if (writtenIntoScript(field) && text::breaksLine(form.text(field.control.as<TextBox>())))
            return refusal(QStringLiteral("The setting \"%1\"").arg(QLatin1String(field.name)));
    const QString rotation =
        entryThatBreaksALine(form.items(ctl::List2), QStringLiteral("map rotation"));
    return rotation.isEmpty()
               ? entryThatBreaksALine(form.items(ctl::list4), QStringLiteral("bot roster"))
               : rotation;
}

} // namespace fd
