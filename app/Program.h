#pragma once
// The program as a whole: its controls, the handlers behind them, its start and its end.

namespace fd {

class FormModel;
struct Context;

// Declares every control of the four windows with its initial state.
void declareControls(FormModel& form);
// Connects every control to the handler that a click on it runs.
void connectHandlers(Context& ctx);

// The main window's load step: the start-up sequence.
void Form_Load(Context& ctx);
// The main window is being closed: every window closes, and the program ends.
void Form_Unload(Context& ctx);

} // namespace fd
