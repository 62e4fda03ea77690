// SettingsControls: the settings window's live controls, as plain values.
//
// The controls are the live settings: opening lyrics reads the folder text and the size option as
// they stand, saved or not. So the logic keeps no copy; it reads and sets them through this
// interface, which the Windows settings window implements over its real controls (txtPath an
// edit, optSize three radio buttons, chkStartup and chkAuto check boxes, tmrAuto a window timer)
// and the tests over plain fields.
//
// Setting a state here never runs a click handler: the logic runs chkStartup_Click and
// chkAuto_Click itself when it changes a check box (BM_SETCHECK sends no BN_CLICKED, which fits).
// When the user changes a check box, the window calls the matching handler of OrliskLogic after
// the control has taken its new state.
#pragma once

#include <string>
#include <string_view>

#include "orlisk/window_handle.h"

namespace lyrics::orlisk {

// A check box's state, numbered as the window system numbers it (BST_UNCHECKED, BST_CHECKED,
// BST_INDETERMINATE) and as "Start" and "Auto" store it.
enum class CheckState : int { Unchecked = 0, Checked = 1, Greyed = 2 };

// optSize's index: the window state in which lyrics open.
inline constexpr int kSizeNormal = 0;
inline constexpr int kSizeMinimized = 1;
inline constexpr int kSizeMaximized = 2;

// The window's caption; the window walk passes over every window captioned so.
inline constexpr std::wstring_view kSettingsCaption = L"Orlisk 1.1 - Settings";
inline constexpr unsigned kAutoIntervalMs = 2000;  // tmrAuto

class SettingsControls {
public:
    virtual ~SettingsControls() = default;

    // The settings window: owner of what the shell opens, and the start of the window walk.
    virtual WindowHandle Handle() const = 0;
    virtual std::wstring Caption() const = 0;

    // txtPath.
    virtual std::wstring PathText() const = 0;
    virtual void SetPathText(std::wstring_view text) = 0;

    // optSize: the index of the selected button, kSizeNormal to kSizeMaximized; exactly one is
    // selected.
    virtual int SizeIndex() const = 0;
    virtual void SetSizeIndex(int index) = 0;

    virtual CheckState StartupState() const = 0;  // chkStartup
    virtual void SetStartupState(CheckState state) = 0;
    virtual CheckState AutoState() const = 0;  // chkAuto
    virtual void SetAutoState(CheckState state) = 0;

    // The window shown (not modal) or hidden; showing a shown window leaves it shown.
    virtual bool IsShown() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;

    // tmrAuto, kAutoIntervalMs apart; each tick calls OrliskLogic::tmrAuto_Timer.
    virtual bool TimerRunning() const = 0;
    virtual void SetTimerRunning(bool running) = 0;
};

}  // namespace lyrics::orlisk
