// Lengths at a DPI: twips as pixels, the DPI a window shows at, system metrics and a window's
// frame at a given DPI. The DPI functions Windows 10 added are looked up when first needed, so a
// program still starts on Windows 7, where the system DPI stands for every monitor.
#pragma once

#include <windows.h>

namespace lyrics {

inline constexpr int kTwipsPerInch = 1440;

// twips (1440 to the inch) as pixels at dpi, rounded to the nearest pixel (halves away from zero).
int TwipsToPixels(int twips, UINT dpi);

// The DPI of the monitor window shows on (per-monitor aware), else the system DPI.
UINT WindowDpi(HWND window);
UINT SystemDpi();

// GetSystemMetrics(index) as it is at dpi.
int SystemMetricForDpi(int index, UINT dpi);

// The size of a window of style and exStyle, without a menu, whose client area is client at dpi.
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace lyrics
