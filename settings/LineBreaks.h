#pragma once
// The script has one command a line, and the engine splits a line into commands at each ';'
// outside double quotes: no value written into it may hold a line break or a NUL, nor a ';'
// that its quotes leave outside quotes, or a stored value could add commands of its own. Quotes
// that do neither are written as they are.

#include "core/Outcome.h"

namespace fd {

class FormModel;

// Refuses the first setting, map rotation entry or bot roster entry that would break a line of
// the script or add a command to it, naming it.
Outcome<> checkScriptValues(const FormModel& form);

} // namespace fd
