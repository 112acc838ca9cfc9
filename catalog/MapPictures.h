#pragma once
// The map pictures: the map_images folder of the application folder and its placeholder.

#include "core/AppFolders.h"

namespace fd {

struct Context;

namespace mapimages {
// A record's PictureFile is appended to this folder's path as it stands ("\name.jpg").
inline constexpr const char* folder = "map_images";
// Shown before any map is chosen, and for a picture that cannot be decoded.
inline constexpr const char* placeholder = "map_images/unknownmap.jpg";
} // namespace mapimages

// The placeholder picture, the user's own first, found without regard to letter case.
QString placeholderPicture(const AppFolders& appFolders);
// Puts the placeholder picture into the map picture box (picMaps).
void ShowPlaceholderPicture(Context& ctx);

} // namespace fd
