#include "SetupFile.h"

#include "Toml.h"

#include <sstream>

namespace fd::setup {

namespace {

constexpr const char* header =
    "# FragDocker set-up, in TOML: one setting a line, named as in the settings store.\n"
    "# Text goes in quotes; check boxes and option buttons are true or false. A setting left\n"
    "# out takes a new save slot's initial value. Maps is the map rotation and Bots the bot\n"
    "# roster, one entry a line, in order. Lines starting with '#' are comments.\n";

// The text as a TOML string, quoted and escaped by the library: always in double quotes on one
// line, letters of every script as they are, control characters (tabs too) as escapes.
std::string quoted(const QString& text) {
    std::ostringstream out;
    out << toml::toml_formatter{toml::value<std::string>{text.toStdString()},
                                toml::format_flags::allow_unicode_strings};
    return out.str();
}

// A value as its field holds it; a null one as the empty text or false.
std::string valueText(const Field& field, const StoredValue& value) {
    const QString* text = std::get_if<QString>(&value);
    if (holdsText(field.kind))
        return quoted(text ? *text : QString());
    return std::holds_alternative<bool>(value) && std::get<bool>(value) ? "true" : "false";
}

void writeList(std::string& out, const char* name, const QStringList& entries) {
    out.append(name).append(entries.isEmpty() ? " = []\n" : " = [\n");
    for (const QString& entry : entries)
        out.append("    ").append(quoted(entry)).append(",\n");
    if (!entries.isEmpty())
        out.append("]\n");
}

} // namespace

QByteArray writeSetup(const Setup& setup) {
    std::string out = header;
    for (std::size_t i = 0; i < settingsRecord.size(); ++i)
        out.append(settingsRecord[i].name)
            .append(" = ")
            .append(valueText(settingsRecord[i], setup.record[i])) += '\n';
    writeList(out, mapsName, setup.maps);
    writeList(out, botsName, setup.bots);
    return QByteArray::fromStdString(out);
}

} // namespace fd::setup
