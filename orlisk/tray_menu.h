// The tray icon's pop-up menu: its items as a plain table, top to bottom, and TrayMenu, the port
// through which the logic shows it and learns the command chosen. The Windows program builds the
// real menu from the table (AppendMenuW, SetMenuDefaultItem on the default); the tests answer a
// chosen command.
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

// The menu as the user meets it, where the tray icon was clicked.
class TrayMenu {
public:
    virtual ~TrayMenu() = default;
    // Shows the menu and waits until it closes: the command chosen, None when the user clicked
    // elsewhere.
    virtual MenuCommand Choose() = 0;
};

// Tray mouse button codes.
inline constexpr int kTrayButtonFirst = 1;   // left: close and reopen the lyrics
inline constexpr int kTrayButtonSecond = 2;  // right: the menu

}  // namespace lyrics::orlisk
