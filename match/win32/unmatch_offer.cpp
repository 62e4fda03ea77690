#include "unmatch_offer.h"

#include <shellapi.h>

#include "common/folder_listing.h"
#include "match/unmatch_list.h"

namespace match {

void OfferUnmatchList(HWND owner, const std::wstring& reportPath) {
    if (!lyrics::FileExists(reportPath)) return;
    const std::wstring prompt = lyrics::match::UnmatchListPrompt(reportPath);
    const std::wstring caption(lyrics::match::kUnmatchListCaption);
    const int answer = ::MessageBoxW(owner, prompt.c_str(), caption.c_str(), MB_ICONINFORMATION | MB_YESNO | MB_DEFBUTTON1);
    if (answer == IDYES) OpenWithShell(owner, reportPath);
}

void OpenWithShell(HWND owner, const std::wstring& path) {
    ::ShellExecuteW(owner, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace match
