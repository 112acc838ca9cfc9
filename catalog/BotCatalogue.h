#pragma once
// The bot catalogue: bots.ini, one bot a line, read into the bot list (list3).

#include <QString>

namespace fd {

struct Context;

// The catalogue's file in the application folder.
inline constexpr const char* botCatalogueFile = "bots.ini";

// Appends every line of the catalogue to list3 exactly as read: spaces kept, empty lines
// kept, no entry for a line break at the very end. Nothing happens without a catalogue.
void LoadBotCatalogue(Context& ctx, const QString& cataloguePath);

} // namespace fd
