#pragma once

namespace fd {

struct Context;

// Connects the handlers of the settings controls and of ENGAGE to the controls.
void connectSettingsHandlers(Context& ctx);

} // namespace fd
