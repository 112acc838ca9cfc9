#pragma once
// When the program is asked to end, no dialog or message box may keep it waiting.

namespace fd::ui {

// Closes every dialog and message box that is open, and from now on each one as soon as it
// is shown, as if the user had cancelled it, so that the handler that opened it goes on to
// its end.
void closeDialogsFromNowOn();

} // namespace fd::ui
