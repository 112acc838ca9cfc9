#pragma once
// The controls of the catalogues: the Map List, the bot list, the details of the clicked map
// and the missing-picture notice.

namespace fd {

class FormModel;
struct Context;

// Declares List1, list3, the map's name, players and picture, and the notice's OK button.
void declareCatalogControls(FormModel& form);
// A click in either map list shows the map's details; the notice's OK brings the main
// window back.
void connectCatalogHandlers(Context& ctx);

void List1_Click(Context& ctx);
void List2_Click(Context& ctx);
void frmErrorMap_cmdOk_Click(Context& ctx);

} // namespace fd
