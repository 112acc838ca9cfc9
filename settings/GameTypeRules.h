#pragma once
// The game type and the five game modifications. The game type options set the hidden game
// type number that the script writes, the map limits that suit the game type and which
// modifications are offered; the modifications then exclude one another by rules that depend
// on that number.
//
// Every step reads the controls as they are at that moment. Clearing a checked modification
// runs its click handler at once, so a rule set may run again, nested, before the step that
// cleared the box returns; rules only ever clear boxes, so the nesting ends after at most one
// level per modification.

namespace fd {

class FormModel;

// Start-up: the number for the selected game type ("0" for Free For All, which also hides
// Assimilation; "3" Team Death Match; "4" Capture The Flag). Nothing else.
void SetStartupGameType(FormModel& form);

// Choosing a game type: every modification shown and cleared, then the number, the map limits
// and the modifications this game type does not offer.
void optionDeathmatch_Click(FormModel& form);
void optionTeamDeathMatch_Click(FormModel& form);
void optionCTF_Click(FormModel& form);

// The five modification boxes all run the rule set of the game type number in force; for any
// number other than 2, 3 or 4 (the start-up "0") they do nothing.
void chkAssimilation_Click(FormModel& form);
void chkSpecialties_Click(FormModel& form);
void chkDisintegration_Click(FormModel& form);
void chkElimination_Click(FormModel& form);
void chkActionHero_Click(FormModel& form);

// Shows the five boxes, then clears them, each in a fixed order.
void ResetModifications(FormModel& form);
// The rule sets of Capture The Flag (4), Free For All (2) and Team Death Match (3).
void ApplyCtfRules(FormModel& form);
void ApplyFreeForAllRules(FormModel& form);
void ApplyTeamDeathMatchRules(FormModel& form);

} // namespace fd
