#include "tests/e2e/e2e_desktop.h"

#include <algorithm>
#include <cstdint>

namespace e2e {

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

struct TopLevelSearch {
    const std::wstring* caption;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(lParam);
    if (!::IsWindowVisible(window)) return TRUE;
    if (search.processId) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != search.processId) return TRUE;
    }
    if (WindowText(window) != *search.caption) return TRUE;
    search.found = window;
    return FALSE;
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwnedDialog(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<OwnedSearch*>(lParam);
    if (::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == search.owner && ClassName(window) == L"#32770") {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

struct WindowList {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindowsOfProcess(HWND window, LPARAM lParam) {
    auto& list = *reinterpret_cast<WindowList*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == list.processId) list.windows.push_back(window);
    return TRUE;
}

// Samples the icon as it stands on screen; the critical icon is mostly red, the information icon
// mostly blue, whatever theme draws them.
IconColour ScreenColourOf(HWND icon) {
    RECT rect{};
    if (!::GetWindowRect(icon, &rect)) return IconColour::None;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return IconColour::None;

    // One copy of the screen area into a 32-bit DIB, rather than a round trip per pixel.
    const lyrics::WindowDc screen;
    const lyrics::UniqueHdc memory(::CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const lyrics::UniqueHbitmap bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return IconColour::None;
    bool copied = false;
    {
        const lyrics::ObjectSelection selection(memory.get(), bitmap.get());
        copied = ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    }
    if (!copied) return IconColour::None;

    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    int red = 0, blue = 0, coloured = 0;
    for (int i = 0; i < width * height; ++i) {
        const int b = pixels[4 * i], g = pixels[4 * i + 1], r = pixels[4 * i + 2];
        const int high = std::max({r, g, b}), low = std::min({r, g, b});
        if (high - low < 60) continue;  // grey, white, black: no hue
        ++coloured;
        if (r == high && r > g + 40 && r > b + 40) ++red;
        if (b == high && b > r + 40) ++blue;
    }
    if (coloured == 0) return IconColour::None;
    if (red * 2 > coloured) return IconColour::Red;
    if (blue * 2 > coloured) return IconColour::Blue;
    return IconColour::Other;
}

}  // namespace

bool Program::Start(const std::wstring& exe) {
    End();
    std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info)) {
        return false;
    }
    ::CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
    ::WaitForInputIdle(info.hProcess, static_cast<DWORD>(kWindowTimeout.count()));
    return true;
}

void Program::End() {
    if (!process_) return;
    if (ExitCode() == STILL_ACTIVE) {
        ::TerminateProcess(process_.get(), 1);
        ::WaitForSingleObject(process_.get(), 5000);
    }
    process_.reset();
    processId_ = 0;
}

bool Program::WaitForExit(std::chrono::milliseconds timeout) const {
    return process_ && ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const {
    DWORD code = 0;
    if (!process_ || !::GetExitCodeProcess(process_.get(), &code)) return 0;
    return code;
}

std::wstring EnvironmentText(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length);
    return value;
}

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                               kAnswerTimeoutMs, &copied)) {
        return {};
    }
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

int ControlId(HWND window) { return ::GetDlgCtrlID(window); }

LONG_PTR Style(HWND window) { return ::GetWindowLongPtrW(window, GWL_STYLE); }

HWND WaitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = find()) != nullptr; }, timeout);
    return window;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return lyrics::testing::WaitFor(done, timeout, std::chrono::milliseconds(25));
}

HWND FindTopLevelWindow(const std::wstring& caption, DWORD processId) {
    TopLevelSearch search{&caption, processId, nullptr};
    ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindOwnedDialog(HWND owner) {
    OwnedSearch search{owner, nullptr};
    ::EnumWindows(MatchOwnedDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    return children;
}

HWND FindDescendant(HWND parent, int id) {
    for (HWND child : ChildWindows(parent)) {
        if (ControlId(child) == id) return child;
        if (const HWND inner = FindDescendant(child, id)) return inner;
    }
    return nullptr;
}

HWND FocusedWindowOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

RECT RectInParent(HWND control, HWND parent) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

bool SetText(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                                 kAnswerTimeoutMs, &result) != 0;
}

void PressKey(HWND window, UINT virtualKey) {
    const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scanCode) << 16));
    ::PostMessageW(window, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scanCode) << 16) | (1LL << 30) | (1LL << 31));
}

void ClickAt(HWND window, int x, int y) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.box = box;
    view.caption = WindowText(box);
    HWND icon = nullptr;
    for (HWND child : ChildWindows(box)) {
        const std::wstring kind = ClassName(child);
        if (kind == L"Static" || kind == L"STATIC") {
            if ((Style(child) & SS_TYPEMASK) == SS_ICON) {
                icon = child;
            } else if (const std::wstring text = WindowText(child); !text.empty()) {
                view.text = text;
            }
        } else if (kind == L"Button" || kind == L"BUTTON") {
            if (!::IsWindowVisible(child)) continue;
            view.buttons.push_back(ControlId(child));
            if ((Style(child) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) view.defaultButton = ControlId(child);
        }
    }
    // The box may not have painted its icon yet when it is first seen.
    if (icon) WaitUntil([&] { return (view.icon = ScreenColourOf(icon)) != IconColour::None; }, 3s);
    return view;
}

bool AnswerMessageBox(HWND box, int buttonId) {
    const HWND button = ::GetDlgItem(box, buttonId);
    if (!button) return false;
    Click(button);
    return WaitUntil([&] { return !::IsWindow(box); });
}

void CloseProgramOfWindow(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (!processId) return;
    lyrics::UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    WindowList list{processId, {}};
    ::EnumWindows(CollectWindowsOfProcess, reinterpret_cast<LPARAM>(&list));
    for (HWND each : list.windows) ::PostMessageW(each, WM_CLOSE, 0, 0);
    if (process && ::WaitForSingleObject(process.get(), 5000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 5000);
    }
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    lyrics::UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    lyrics::UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return false;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
}

std::string AnsiBytes(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const lyrics::UniqueFindHandle search(::FindFirstFileW((folder + L"\\" + pattern).c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (::FindNextFileW(search.get(), &found));
    return names;
}

}  // namespace e2e
