#pragma once
// The script has one command a line: no value written into it may hold a line break or a NUL,
// or a stored value could add commands of its own.

#include <QString>

namespace fd {

class FormModel;

// What ENGAGE refuses: the first setting, map rotation entry or bot roster entry that would
// break a line of the script, named in a message; empty text when there is none.
QString valueThatBreaksALine(const FormModel& form);

} // namespace fd
