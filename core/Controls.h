#pragma once
// The names of the program's controls, each defined once. A control's name is also the
// objectName of its widget; controls of the small windows carry their window's name in front.

#include <cassert>
#include <compare>
#include <string_view>

namespace fd {

enum class ControlKind { TextBox, CheckBox, OptionButton, ListBox, ComboBox, PictureBox, Button };

template <ControlKind K> struct ControlId {
    static constexpr ControlKind kind = K;
    const char* name;
};
using TextBox = ControlId<ControlKind::TextBox>;
using CheckBox = ControlId<ControlKind::CheckBox>;
using OptionButton = ControlId<ControlKind::OptionButton>;
using ListBox = ControlId<ControlKind::ListBox>;
using ComboBox = ControlId<ControlKind::ComboBox>;
using PictureBox = ControlId<ControlKind::PictureBox>;
using Button = ControlId<ControlKind::Button>;

// A control of any kind, for tables that list controls of several kinds. It converts back only
// to an id of its own kind.
struct Control {
    const char* name = ""; // empty: no control
    ControlKind kind = ControlKind::TextBox;

    constexpr Control() = default;
    template <ControlKind K> constexpr Control(ControlId<K> id) : name(id.name), kind(K) {}

    constexpr bool exists() const { return *name != '\0'; }
    template <class Id> constexpr Id as() const {
        assert(kind == Id::kind);
        return Id{name};
    }
    friend constexpr bool operator==(Control a, Control b) {
        return std::string_view(a.name) == std::string_view(b.name);
    }
    // Ordered by name, so that controls can key a map and be found by a widget's name.
    friend constexpr auto operator<=>(Control a, Control b) {
        return std::string_view(a.name) <=> std::string_view(b.name);
    }
    friend constexpr auto operator<=>(Control a, std::string_view name) {
        return std::string_view(a.name) <=> name;
    }
};

// The four windows, each existing at most once.
enum class Window { frmFragDocker, frmGamePath, frmErrorMap, frmFragdockerRunning };

namespace ctl {
#define FD_CONTROL(Kind, name) inline constexpr Kind name{#name};

// Server tab
FD_CONTROL(TextBox, txtServerName)
FD_CONTROL(TextBox, txtServerQuote)
FD_CONTROL(OptionButton, optionDedicated)
FD_CONTROL(OptionButton, optionNonDedicated)
FD_CONTROL(CheckBox, chkPureServer)
FD_CONTROL(OptionButton, optionDeathmatch)
FD_CONTROL(OptionButton, optionTeamDeathMatch)
FD_CONTROL(OptionButton, optionCTF)
FD_CONTROL(TextBox, txtGameType)
FD_CONTROL(CheckBox, chkAssimilation)
FD_CONTROL(CheckBox, chkSpecialties)
FD_CONTROL(CheckBox, chkDisintegration)
FD_CONTROL(CheckBox, chkElimination)
FD_CONTROL(CheckBox, chkActionHero)
FD_CONTROL(TextBox, txtConsolePassword)
FD_CONTROL(TextBox, txtPrivateClientPassword)

// Settings tab
FD_CONTROL(TextBox, txtMaxPlayers)
FD_CONTROL(TextBox, txtMinPlayers)
FD_CONTROL(TextBox, txtSecondsOfInvulnerability)
FD_CONTROL(CheckBox, chkForcePlayerRespawn)
FD_CONTROL(TextBox, txtForcePlayerRespawnSeconds)
FD_CONTROL(CheckBox, chkAllowPlayerVoting)
FD_CONTROL(CheckBox, chkKickInactivePlayers)
FD_CONTROL(TextBox, txtKickInactivePlayersSeconds)
FD_CONTROL(CheckBox, chkAllowServerCheats)
FD_CONTROL(CheckBox, chkWarmup)
FD_CONTROL(TextBox, txtWarmupSeconds)
FD_CONTROL(TextBox, txtWeaponEnhancerDamage)
FD_CONTROL(TextBox, txtWeaponDamageKnockback)
FD_CONTROL(CheckBox, chkAdaptiveItemRespawn)
FD_CONTROL(TextBox, txtRespawnItemsSeconds)
FD_CONTROL(CheckBox, chkFriendlyFire)
FD_CONTROL(CheckBox, chkAutoJoin)
FD_CONTROL(CheckBox, chkForceTeamBalance)
FD_CONTROL(TextBox, txtSetGameSpeed)
FD_CONTROL(CheckBox, chkFallingDamage)
FD_CONTROL(TextBox, txtSetGameGravity)
FD_CONTROL(CheckBox, chkHolodeckIntro)
FD_CONTROL(TextBox, txtIntermissionTime)

// Maps tab
FD_CONTROL(PictureBox, picMaps)
FD_CONTROL(ListBox, List1)
FD_CONTROL(ListBox, List2)
FD_CONTROL(Button, cmdAdd)
FD_CONTROL(Button, cmdRemove)
FD_CONTROL(TextBox, txtMapName)
FD_CONTROL(TextBox, txtMapPlayers)
FD_CONTROL(Button, cmdAllFragdockMaps)
FD_CONTROL(Button, cmdAllCTF)
FD_CONTROL(Button, cmdAllMaps)
FD_CONTROL(Button, cmdClearMaps)
FD_CONTROL(Button, cmdRandom)
FD_CONTROL(TextBox, txtFragLimit)
FD_CONTROL(TextBox, txtTimeLimit)
FD_CONTROL(TextBox, txtCaptureLimit)

// Bots tab
FD_CONTROL(CheckBox, chkTurnBotsOn)
FD_CONTROL(CheckBox, chkTurnBotChattingOff)
FD_CONTROL(CheckBox, chkAllowBotRocketJump)
FD_CONTROL(TextBox, txtNumberOfBotsToPlay)
FD_CONTROL(TextBox, txtMoreBots)
FD_CONTROL(OptionButton, optionBotSkillCadet)
FD_CONTROL(OptionButton, optionBotSkillEnsign)
FD_CONTROL(OptionButton, optionBotSkillLieutenant)
FD_CONTROL(OptionButton, optionBotSkillCommander)
FD_CONTROL(OptionButton, optionBotSkillCaptain)
FD_CONTROL(ListBox, list3)
FD_CONTROL(ListBox, list4)
FD_CONTROL(Button, cmdAddBot)
FD_CONTROL(Button, cmdRemoveBot)
FD_CONTROL(Button, cmdClearBots)

// Save/Load tab
FD_CONTROL(ComboBox, cmboSaveGame)
FD_CONTROL(TextBox, txtSaveGameDescription)
FD_CONTROL(Button, cmdLoad)
FD_CONTROL(Button, cmdSave)

// Advanced tab
FD_CONTROL(TextBox, txtClientMaxPing)
FD_CONTROL(CheckBox, chkChangeReservedMemory)
FD_CONTROL(TextBox, txtChangeReservedMemoryAmount)
FD_CONTROL(CheckBox, chkAllowClientsToDownload)
FD_CONTROL(TextBox, txtMaxPacketsToDownload)
FD_CONTROL(TextBox, txtClientMinimumPing)
FD_CONTROL(TextBox, txtMasterServer2)
FD_CONTROL(CheckBox, chkServerFloodProtection)
FD_CONTROL(TextBox, txtMasterServer3)
FD_CONTROL(CheckBox, chkSetNetport)
FD_CONTROL(TextBox, txtSetNetportNumber)
FD_CONTROL(TextBox, txtMasterServer4)
FD_CONTROL(CheckBox, chkSetNetIP)
FD_CONTROL(TextBox, txtSetNetIPNumber)
FD_CONTROL(TextBox, txtMasterServer5)
FD_CONTROL(CheckBox, chkCreateServerLog)
FD_CONTROL(TextBox, txtCreateServerLogPath)
FD_CONTROL(TextBox, txtGamePath) // the display copy of the game folder
FD_CONTROL(Button, cmdRefindGamePatch)

// Below the tabs
FD_CONTROL(Button, cmdEngage)

#undef FD_CONTROL

// The game folder dialog; its path box holds the game folder for the whole program.
namespace frmGamePath {
inline constexpr TextBox txtGamePath{"frmGamePath.txtGamePath"};
inline constexpr Button cmdYes{"frmGamePath.cmdYes"};
inline constexpr Button cmdNo{"frmGamePath.cmdNo"};
} // namespace frmGamePath

namespace frmErrorMap {
inline constexpr Button cmdOk{"frmErrorMap.cmdOk"};
}

namespace frmFragdockerRunning {
inline constexpr Button cmdOk{"frmFragdockerRunning.cmdOk"};
}

} // namespace ctl
} // namespace fd
