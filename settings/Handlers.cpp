#include "Handlers.h"

#include "CompanionRules.h"
#include "Engage.h"
#include "GameTypeRules.h"
#include "core/Context.h"

namespace fd {

namespace {

void connectGameTypeRules(FormModel& form) {
    using namespace ctl;
    form.onClick(optionDeathmatch, [&form] { optionDeathmatch_Click(form); });
    form.onClick(optionTeamDeathMatch, [&form] { optionTeamDeathMatch_Click(form); });
    form.onClick(optionCTF, [&form] { optionCTF_Click(form); });
    form.onClick(chkAssimilation, [&form] { chkAssimilation_Click(form); });
    form.onClick(chkSpecialties, [&form] { chkSpecialties_Click(form); });
    form.onClick(chkDisintegration, [&form] { chkDisintegration_Click(form); });
    form.onClick(chkElimination, [&form] { chkElimination_Click(form); });
    form.onClick(chkActionHero, [&form] { chkActionHero_Click(form); });
}

void connectCompanionRules(FormModel& form) {
    using namespace ctl;
    form.onClick(chkAllowClientsToDownload, [&form] { chkAllowClientsToDownload_Click(form); });
    form.onClick(chkChangeReservedMemory, [&form] { chkChangeReservedMemory_Click(form); });
    form.onClick(chkCreateServerLog, [&form] { chkCreateServerLog_Click(form); });
    form.onClick(chkForcePlayerRespawn, [&form] { chkForcePlayerRespawn_Click(form); });
    form.onClick(chkKickInactivePlayers, [&form] { chkKickInactivePlayers_Click(form); });
    form.onClick(chkSetNetIP, [&form] { chkSetNetIP_Click(form); });
    form.onClick(chkSetNetport, [&form] { chkSetNetport_Click(form); });
    form.onClick(chkWarmup, [&form] { chkWarmup_Click(form); });
}

} // namespace

void connectSettingsHandlers(Context& ctx) {
    ctx.form.onClick(ctl::cmdEngage, [&ctx] { cmdEngage_Click(ctx); });
    connectGameTypeRules(ctx.form);
    connectCompanionRules(ctx.form);
}

} // namespace fd
