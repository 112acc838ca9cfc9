#pragma once
// modAddAll: every installed map of the catalogue into the map rotation.

#include <QString>

namespace fd {

struct Context;

// Appends the ListName of every installed map to the rotation (List2), exactly as the Map
// List is filled at start-up but with the game folder as it is now.
void AddAllMaps(Context& ctx, const QString& cataloguePath);

} // namespace fd
