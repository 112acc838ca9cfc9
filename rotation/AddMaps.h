#pragma once
// Maps of the catalogue into the map rotation: every installed map, or every map of one type
// (the Capture The Flag maps by flag 1, the Holomatch maps by flag 0).

#include <QString>

namespace fd {

struct Context;

// Appends the ListName of every installed map to the rotation (List2), exactly as the Map
// List is filled at start-up but with the game folder as it is now.
void AddAllMaps(Context& ctx, const QString& cataloguePath);

// Appends the ListName of every record whose CtfFlag, read as a number, equals the flag, in
// file order, installed or not. Nothing happens when there is no catalogue.
void AddMapsOfType(Context& ctx, const QString& cataloguePath, int flag);

} // namespace fd
