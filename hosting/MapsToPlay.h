#pragma once
// What the command line refuses that the window lets through: a slot whose map rotation is
// empty starts a server that loads no map and never answers, and on a machine with no display
// nothing would show why.

#include "core/Outcome.h"

namespace fd {
class FormModel;
}

namespace fd::hosting {

// Refused, saying where to add them, when the form's map rotation holds no map.
Outcome<> mapsToPlay(const FormModel& form);

} // namespace fd::hosting
