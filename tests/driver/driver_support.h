// What every test driving a real program under Wine needs: paths as Wine sees them, bounded waits
// for what the program does in its own time, the environment the test was started with, and
// names compared in any letter case.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace lyrics::testing {

using namespace std::chrono_literals;

// A Linux path ("/work/...") as Wine sees it ("Z:\work\..."); a Windows path stays as it is.
inline std::wstring WindowsPath(const std::wstring& path) {
    if (path.empty() || path.front() != L'/') return path;
    std::wstring windows = L"Z:" + path;
    for (wchar_t& c : windows)
        if (c == L'/') c = L'\\';
    return windows;
}

// Asks condition every interval until it holds or timeout has passed, and once more at the end;
// true when it held.
inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                    std::chrono::milliseconds interval = std::chrono::milliseconds(25)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(interval);
    }
    return true;
}

// The environment variable's value, or empty text.
inline std::wstring EnvironmentText(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

// The text in small letters as the system lower-cases it (file and program names compare so).
inline std::wstring LowerCase(std::wstring text) {
    if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Milliseconds since start, for the figures a test prints.
inline int MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace lyrics::testing
