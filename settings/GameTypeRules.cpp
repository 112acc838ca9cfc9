#include "GameTypeRules.h"

#include "core/FormModel.h"

#include <initializer_list>

namespace fd {

using namespace ctl;

namespace {

constexpr int freeForAllAtStartUp = 0; // runs no rules until a game type is chosen
constexpr int freeForAll = 2;
constexpr int teamDeathMatch = 3;
constexpr int captureTheFlag = 4;

// The game type number as a number; text that is no number counts as 0, which runs no rules.
int gameTypeNumber(const FormModel& form) {
    return form.text(txtGameType).trimmed().toInt();
}

void setGameTypeNumber(FormModel& form, int number) {
    form.setText(txtGameType, QString::number(number));
}

bool isChecked(const FormModel& form, CheckBox box) {
    return form.value(box) == 1;
}

void show(FormModel& form, std::initializer_list<CheckBox> boxes) {
    for (CheckBox box : boxes)
        form.setVisible(box, true);
}

void hide(FormModel& form, std::initializer_list<CheckBox> boxes) {
    for (CheckBox box : boxes)
        form.setVisible(box, false);
}

// Each clearing of a checked box runs that box's handler before the next box is cleared.
void clear(FormModel& form, std::initializer_list<CheckBox> boxes) {
    for (CheckBox box : boxes)
        form.setValue(box, 0);
}

void lockCaptureLimit(FormModel& form) {
    form.setLocked(txtCaptureLimit, true);
    form.setText(txtCaptureLimit, QStringLiteral("0"));
}

// The number is read afresh before each test: a rule set may have run nested handlers.
void runModificationRules(FormModel& form) {
    if (gameTypeNumber(form) == captureTheFlag)
        ApplyCtfRules(form);
    if (gameTypeNumber(form) == freeForAll)
        ApplyFreeForAllRules(form);
    if (gameTypeNumber(form) == teamDeathMatch)
        ApplyTeamDeathMatchRules(form);
}

} // namespace

void SetStartupGameType(FormModel& form) {
    if (form.selected(optionDeathmatch)) {
        setGameTypeNumber(form, freeForAllAtStartUp);
        form.setVisible(chkAssimilation, false);
    }
    if (form.selected(optionTeamDeathMatch))
        setGameTypeNumber(form, teamDeathMatch);
    if (form.selected(optionCTF))
        setGameTypeNumber(form, captureTheFlag);
}

void optionDeathmatch_Click(FormModel& form) {
    ResetModifications(form);
    if (!form.selected(optionDeathmatch))
        return;
    lockCaptureLimit(form);
    setGameTypeNumber(form, freeForAll);
    hide(form, {chkAssimilation});
}

void optionTeamDeathMatch_Click(FormModel& form) {
    ResetModifications(form);
    if (!form.selected(optionTeamDeathMatch))
        return;
    lockCaptureLimit(form);
    setGameTypeNumber(form, teamDeathMatch);
    hide(form, {chkActionHero});
}

void optionCTF_Click(FormModel& form) {
    ResetModifications(form);
    if (!form.selected(optionCTF))
        return;
    form.setLocked(txtCaptureLimit, false);
    setGameTypeNumber(form, captureTheFlag);
    form.setText(txtCaptureLimit, QStringLiteral("5"));
    form.setText(txtFragLimit, QStringLiteral("0"));
    hide(form, {chkAssimilation, chkActionHero, chkElimination});
}

void chkAssimilation_Click(FormModel& form) {
    runModificationRules(form);
}

void chkSpecialties_Click(FormModel& form) {
    runModificationRules(form);
}

void chkDisintegration_Click(FormModel& form) {
    runModificationRules(form);
}

void chkElimination_Click(FormModel& form) {
    runModificationRules(form);
}

void chkActionHero_Click(FormModel& form) {
    runModificationRules(form);
}

void ResetModifications(FormModel& form) {
    show(form, {chkAssimilation, chkSpecialties, chkDisintegration, chkActionHero, chkElimination});
    clear(form,
          {chkAssimilation, chkSpecialties, chkDisintegration, chkActionHero, chkElimination});
}

void ApplyCtfRules(FormModel& form) {
    if (isChecked(form, chkSpecialties))
        hide(form, {chkDisintegration});
    if (!isChecked(form, chkSpecialties))
        show(form, {chkDisintegration});
    if (isChecked(form, chkDisintegration))
        hide(form, {chkSpecialties});
    if (!isChecked(form, chkDisintegration))
        show(form, {chkSpecialties});
}

void ApplyFreeForAllRules(FormModel& form) {
    if (!isChecked(form, chkSpecialties))
        show(form, {chkDisintegration, chkActionHero});
    if (isChecked(form, chkElimination))
        hide(form, {chkActionHero});
    if (!isChecked(form, chkElimination))
        show(form, {chkActionHero});
    if (isChecked(form, chkActionHero)) {
        hide(form, {chkDisintegration, chkSpecialties, chkElimination});
        clear(form, {chkDisintegration, chkSpecialties, chkElimination});
    }
    if (!isChecked(form, chkActionHero))
        show(form, {chkDisintegration, chkSpecialties, chkElimination});
    if (isChecked(form, chkElimination) && isChecked(form, chkDisintegration))
        hide(form, {chkSpecialties});
    if (isChecked(form, chkSpecialties))
        hide(form, {chkDisintegration, chkActionHero});
}

void ApplyTeamDeathMatchRules(FormModel& form) {
    if (isChecked(form, chkAssimilation)) {
        hide(form, {chkDisintegration, chkElimination});
        clear(form, {chkDisintegration, chkElimination});
    }
    if (!isChecked(form, chkAssimilation))
        show(form, {chkDisintegration, chkElimination});
    if (isChecked(form, chkSpecialties)) {
        hide(form, {chkAssimilation});
        clear(form, {chkAssimilation});
    }
    if (!isChecked(form, chkSpecialties))
        show(form, {chkAssimilation});
    if (isChecked(form, chkDisintegration)) {
        hide(form, {chkAssimilation, chkSpecialties});
        clear(form, {chkAssimilation, chkSpecialties});
    }
    if (!isChecked(form, chkDisintegration))
        show(form, {chkAssimilation, chkSpecialties});
    if (isChecked(form, chkElimination)) {
        hide(form, {chkAssimilation});
        clear(form, {chkAssimilation});
    }
    if (!isChecked(form, chkElimination))
        show(form, {chkAssimilation});
}

} // namespace fd
