// The tray icon's pop-up menu as a plain table, top to bottom; the Windows program builds the
// real menu from it (AppendMenuW, SetMenuDefaultItem on the default) and hands the chosen
// command to OrliskLogic::RunMenuCommand.
#pragma once

#include <array>
#include <string_view>

namespace lyrics::orlisk {

// Command identifiers; 0 is "nothing chosen", as TrackPopupMenu(TPM_RETURNCMD) answers.
enum class MenuCommand : unsigned { None = 0, Exit = 101, Settings = 102, CloseLyrics = 103, OpenLyrics = 104 };

struct MenuItem {
    std::wstring_view name;     // mnuExit ...
    std::wstring_view caption;  // empty for a separator
    MenuCommand command;        // None for a separator
    bool isDefault;             // drawn in bold
};

inline constexpr std::array<MenuItem, 6> kTrayMenu = {{
    {L"mnuExit", L"Exit", MenuCommand::Exit, false},
    {L"mnuSep", L"", MenuCommand::None, false},
    {L"mnuSettings", L"Settings", MenuCommand::Settings, true},
    {L"mnuSep1", L"", MenuCommand::None, false},
    {L"mnuClsWindow", L"Close Lyrics", MenuCommand::CloseLyrics, false},
    {L"mnuOpen", L"Open Lyrics", MenuCommand::OpenLyrics, false},
}};

// Tray mouse button codes.
inline constexpr int kTrayButtonFirst = 1;   // left: close and reopen the lyrics
inline constexpr int kTrayButtonSecond = 2;  // right: the menu

}  // namespace lyrics::orlisk
