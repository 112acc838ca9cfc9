#pragma once
// The details of the map clicked in the Map List or in the Selected Maps list.

#include <QString>

namespace fd {

struct Context;

// Reads the whole catalogue and applies, in file order, every record whose ListName equals
// the selected text exactly: the map's name, then its picture and recommended players, or,
// when its picture is missing, the alert cue and the missing-picture notice in place of the
// main window. Nothing happens when there is no catalogue.
void ShowMapDetails(Context& ctx, const QString& cataloguePath, const QString& selectedText);

} // namespace fd
