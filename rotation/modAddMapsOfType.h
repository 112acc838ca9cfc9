#pragma once
// modAllCTF (flag 1) and modAllHolomatch (flag 0): every catalogued map of one type into the
// map rotation.

#include <QString>

namespace fd {

struct Context;

// Appends the ListName of every record whose CtfFlag, read as a number, equals the flag, in
// file order, installed or not. Nothing happens when there is no catalogue.
void AddMapsOfType(Context& ctx, const QString& cataloguePath, int flag);

} // namespace fd
