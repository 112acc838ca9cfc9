#pragma once
// The Map List of installed maps, filled from the map catalogue at start-up.

#include "core/Controls.h"

#include <QString>

namespace fd {

struct Context;

// Appends to `list` the ListName of every catalogued map whose file exists under the game's
// data folder, in file order, duplicates included. The game folder is the game folder
// dialog's path box. Nothing happens when there is no catalogue; when the list fills up,
// the user is told and the rest is left out.
void appendInstalledMaps(Context& ctx, const QString& cataloguePath, ListBox list);

// Fills the Map List (List1) with the installed maps of the catalogue.
void LoadMapCatalogue(Context& ctx, const QString& cataloguePath);

} // namespace fd
