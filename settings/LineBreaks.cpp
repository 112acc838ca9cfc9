#include "LineBreaks.h"

#include "SettingsRecord.h"
#include "core/FormModel.h"
#include "core/TextFile.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fd {

namespace {

// The text settings that the script writes: all but the slot, its description and the game
// folder.
bool writtenIntoScript(const Field& field) {
    return field.kind == FieldKind::Text && field.control != ctl::txtSaveGameDescription &&
           field.control != ctl::frmGamePath::txtGamePath;
}

// How many commands the engine makes of a line: it ends one at each ';' outside double quotes.
qsizetype commandsIn(QStringView line) {
    qsizetype commands = 1;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == u';' && !quoted)
            ++commands;
    }
    return commands;
}

// The first quoted word of a line, as the engine reads its words: what "set" stores.
QStringView firstQuoted(QStringView line) {
    const qsizetype open = line.indexOf(u'"');
    const qsizetype close = open < 0 ? -1 : line.indexOf(u'"', open + 1);
    return open < 0 ? QStringView()
                    : line.sliced(open + 1, (close < 0 ? line.size() : close) - open - 1);
}

// The units that can break a line (a line break, a NUL) or change how the engine splits it (a
// quote, a semicolon).
constexpr std::array<char16_t, 5> specialUnits{u'\0', u'\n', u'\r', u'"', u';'};

#if defined(__SSE2__)
// The byte lanes of the eight units at `units` (the first four when half) that are special.
template <bool half> int specialLanes(const char16_t* units) {
    const auto* from = reinterpret_cast<const __m128i*>(units);
    const __m128i wide = half ? _mm_loadl_epi64(from) : _mm_loadu_si128(from);
    __m128i found = _mm_setzero_si128();
    for (const char16_t c : specialUnits)
        found = _mm_or_si128(found, _mm_cmpeq_epi16(wide, _mm_set1_epi16(short(c))));
    return _mm_movemask_epi8(found) & (half ? 0xFF : 0xFFFF);
}
#endif

// Only a special unit can break a line or change how the engine splits it; most values hold
// none, and pass in one look at each character (eight at a time, the last ones looked at again
// overlapping), without building their line.
bool plain(QStringView value) {
    const auto* units = reinterpret_cast<const char16_t*>(value.utf16());
    const qsizetype size = value.size();
#if defined(__SSE2__)
    if (size >= 8) {
        int found = specialLanes<false>(units + size - 8);
        for (qsizetype i = 0; i + 8 <= size && found == 0; i += 8)
            found = specialLanes<false>(units + i);
        return found == 0;
    }
    if (size >= 4)
        return (specialLanes<true>(units) | specialLanes<true>(units + size - 4)) == 0;
#endif
    constexpr quint64 special = [] { // all are below 64: one bit each
        quint64 bits = 0;
        for (const char16_t c : specialUnits)
            bits |= 1ULL << c;
        return bits;
    }();
    for (qsizetype i = 0; i < size; ++i)
        if (units[i] < 64 && (special >> units[i] & 1) != 0)
            return false;
    return true;
}

// Where a value stands in its line of the script, and whether it keeps the commands there.
// A setting's value: seta name "VALUE".
bool keepsQuotedValue(const QString& value) {
    return commandsIn(u'"' + value + u'"') == 1;
}
// A bot roster entry: addbot ENTRY.
bool keepsWord(const QString& entry) {
    return commandsIn(entry) == 1;
}
// A map rotation entry, in a command stored to be run later: Set dN "map ENTRY; set nextmap …".
// Neither the line nor the stored commands when they run may split anew.
bool keepsStoredCommand(const QString& entry) {
    const QString line = QStringLiteral("\"map ") + entry + QStringLiteral("; next\"");
    return commandsIn(line) == 1 && commandsIn(firstQuoted(line)) <= 2;
}

Failure refusal(const QString& what, const QString& value) {
    if (text::breaksLine(value))
        return refused(QStringLiteral("%1 holds a line break or a NUL character, which the server "
                                      "script cannot take. Please correct it first.")
                           .arg(what));
    return refused(QStringLiteral("%1 holds a \";\" outside quotes once written into the server "
                                  "script, where it would end the command and run the rest as a "
                                  "command of its own. Please correct it first.")
                       .arg(what));
}

Outcome<> checkEntries(const QStringList& entries, const QString& list,
                       bool (*keepsCommands)(const QString&)) {
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (!plain(entries[i]) && (text::breaksLine(entries[i]) || !keepsCommands(entries[i])))
            return refusal(QStringLiteral("Entry %1 of the %2").arg(i + 1).arg(list), entries[i]);
    return Outcome<>::success();
}

} // namespace

Outcome<> checkScriptValues(const FormModel& form) {
    for (const Field& field : settingsRecord) {
        if (!writtenIntoScript(field))
            continue;
        const QString value = form.text(field.control.as<TextBox>());
        if (!plain(value) && (text::breaksLine(value) || !keepsQuotedValue(value)))
            return refusal(QStringLiteral("The setting \"%1\"").arg(QLatin1String(field.name)),
                           value);
    }
    const Outcome<> rotation =
        checkEntries(form.items(ctl::List2), QStringLiteral("map rotation"), keepsStoredCommand);
    return rotation.ok()
               ? checkEntries(form.items(ctl::list4), QStringLiteral("bot roster"), keepsWord)
               : rotation;
}

} // namespace fd
