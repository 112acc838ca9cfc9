#pragma once

namespace fd {

class FormModel;

// Declares the map rotation (List2) and the bot roster (list4), both empty at start.
void declareRotationControls(FormModel& form);

} // namespace fd
