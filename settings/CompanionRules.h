#pragma once
// Eight check boxes each lock the text box that holds their amount, path or address while
// they are cleared, and unlock it while they are checked. The text stays as it is (a locked
// box is still read by ENGAGE), except that clearing "Change Reserved Memory" also puts the
// amount back to "47".

namespace fd {

class FormModel;

void chkAllowClientsToDownload_Click(FormModel& form);
void chkChangeReservedMemory_Click(FormModel& form);
void chkCreateServerLog_Click(FormModel& form);
void chkForcePlayerRespawn_Click(FormModel& form);
void chkKickInactivePlayers_Click(FormModel& form);
void chkSetNetIP_Click(FormModel& form);
void chkSetNetport_Click(FormModel& form);
void chkWarmup_Click(FormModel& form);

} // namespace fd
