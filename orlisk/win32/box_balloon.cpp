#include "orlisk/win32/box_balloon.h"

#include <commctrl.h>

#include <system_error>

#include "common/path_text.h"
#include "common/win32/unique_handle.h"
#include "orlisk/orlisk_logic.h"

namespace lyrics::orlisk::win32 {

namespace {

constexpr UINT_PTR kToolId = 1;

}  // namespace

void BoxBalloon::Show(HWND box, const std::wstring& title, const std::wstring& text) {
    Hide();
    box_ = box;
    title_ = title;
    text_ = text;
    EDITBALLOONTIP tip{};
    tip.cbStruct = sizeof tip;
    tip.pszTitle = title_.c_str();
    tip.pszText = text_.c_str();
    tip.ttiIcon = TTI_WARNING;
    if (::SendMessageW(box, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip))) return;

    const HWND tooltip = EnsureTooltip(box);
    if (!tooltip) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = ::GetAncestor(box, GA_ROOT);
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    tool.lpszText = text_.data();
    ::SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(tooltip, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(title_.c_str()));
    // The balloon points at the box's lower edge, a little in from its left end, as the edit's does.
    RECT rect{};
    ::GetWindowRect(box, &rect);
    const int x = rect.left + (rect.right - rect.left) / 8;
    ::SendMessageW(tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, rect.bottom));
    ::SendMessageW(tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void BoxBalloon::Hide() {
    if (!box_) return;
    ::SendMessageW(box_, EM_HIDEBALLOONTIP, 0, 0);
    if (tooltip_ && ::IsWindow(tooltip_)) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = ::GetAncestor(box_, GA_ROOT);
        tool.uId = reinterpret_cast<UINT_PTR>(box_);
        ::SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    }
    box_ = nullptr;
}

HWND BoxBalloon::EnsureTooltip(HWND box) {
    if (tooltip_ && ::IsWindow(tooltip_)) return tooltip_;
    const HWND owner = ::GetAncestor(box, GA_ROOT);
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
    if (tooltip_) {
        RECT rect{};
        ::GetWindowRect(box, &rect);
        // Long folder names wrap instead of running off the screen.
        ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, (rect.right - rect.left) * 3 / 2);
    }
    return tooltip_;
}

RefusedFolderWords RefusedFolderWordsFor(const std::wstring& folder) {
    if (folder.empty()) return {L"No lyrics folder", L"Type or pick the folder that holds your lyrics."};
    // The same search as the folder check makes, for the system's own reason.
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(::FindFirstFileW(FolderSearchPattern(folder).c_str(), &found));
    const DWORD error = search ? ERROR_FILE_NOT_FOUND : ::GetLastError();
    return {L"Lyrics folder not found", L"\"" + DisplayPath(folder) + L"\": " +
                                            ReasonText(std::error_code(static_cast<int>(error), std::system_category())) + L"."};
}

}  // namespace lyrics::orlisk::win32
