#pragma once
// Where the game is installed, as its installer left it in the registry. The game runs under
// Wine, so the registry is the Wine prefix's: HKEY_LOCAL_MACHINE is its file system.reg.

#include <QString>

#include <optional>

namespace fd {

// The key and value the game's installer leaves under HKEY_LOCAL_MACHINE.
inline constexpr const char* gameRegistryKey =
    "Software\\Activision\\Star Trek: Voyager - Elite Force\\v1.0\\";
inline constexpr const char* gameRegistryValue = "INSTALLPATH";

// The string value of a key of HKEY_LOCAL_MACHINE in the Wine prefix, looked up as a 32-bit
// program sees it (under Software\Wow6432Node in a 64-bit prefix, else at the key itself),
// with a drive path such as "C:\Games\EF" turned into the prefix's folder for that drive.
// Nothing when there is no prefix, no such key or value, a value that is no string or is
// longer than 254 characters, or one that names no drive.
std::optional<QString> GetGamePath(const QString& winePrefix, const QString& subkey,
                                   const QString& valueName);

} // namespace fd
