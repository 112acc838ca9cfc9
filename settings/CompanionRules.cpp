#include "CompanionRules.h"

#include "core/FormModel.h"

namespace fd {

using namespace ctl;

namespace {

void lockWhenCleared(FormModel& form, CheckBox box, TextBox companion) {
    form.setLocked(companion, form.value(box) == 0);
}

} // namespace

void chkAllowClientsToDownload_Click(FormModel& form) {
    lockWhenCleared(form, chkAllowClientsToDownload, txtMaxPacketsToDownload);
}

void chkChangeReservedMemory_Click(FormModel& form) {
    lockWhenCleared(form, chkChangeReservedMemory, txtChangeReservedMemoryAmount);
    if (form.value(chkChangeReservedMemory) == 0)
        form.setText(txtChangeReservedMemoryAmount, QStringLiteral("47"));
}

void chkCreateServerLog_Click(FormModel& form) {
    lockWhenCleared(form, chkCreateServerLog, txtCreateServerLogPath);
}

void chkForcePlayerRespawn_Click(FormModel& form) {
    lockWhenCleared(form, chkForcePlayerRespawn, txtForcePlayerRespawnSeconds);
}

void chkKickInactivePlayers_Click(FormModel& form) {
    lockWhenCleared(form, chkKickInactivePlayers, txtKickInactivePlayersSeconds);
}

void chkSetNetIP_Click(FormModel& form) {
    lockWhenCleared(form, chkSetNetIP, txtSetNetIPNumber);
}

void chkSetNetport_Click(FormModel& form) {
    lockWhenCleared(form, chkSetNetport, txtSetNetportNumber);
}

void chkWarmup_Click(FormModel& form) {
    lockWhenCleared(form, chkWarmup, txtWarmupSeconds);
}

} // namespace fd
