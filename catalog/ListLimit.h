#pragma once
// List boxes hold at most FormModel::maxListItems items; an add beyond that is refused.

#include "core/Controls.h"

#include <QString>

namespace fd {

struct Context;

// Appends the item, or tells the user that the list is full and adds nothing.
bool addOrAlert(const Context& ctx, ListBox list, const QString& item);

} // namespace fd
