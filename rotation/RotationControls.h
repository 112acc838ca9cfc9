#pragma once

namespace fd {

class FormModel;
struct Context;

// Declares the map rotation (List2) and the bot roster (list4), both empty at start, and the
// buttons of the Maps and Bots tabs that edit them.
void declareRotationControls(FormModel& form);
// Connects the rotation and roster commands; creates the program's one random generator.
void connectRotationHandlers(Context& ctx);

} // namespace fd
