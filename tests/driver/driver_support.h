// What every test driving a real program under Wine needs: paths as Wine sees them, and bounded
// waits for what the program does in its own time.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace lyrics::testing {

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
                    std::chrono::milliseconds interval = std::chrono::milliseconds(50)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(interval);
    }
    return true;
}

}  // namespace lyrics::testing
