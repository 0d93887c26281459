// Dots per inch of windows and screens. Twips become pixels with the window's dpi: 15 twips a
// pixel at 96 dpi, where the layout is pixel-exact.
#pragma once

#include "catalog/model.h"
#include "forms/win32/windows_api.h"

namespace vestora::win32 {

inline constexpr int kTwipsPerInch = 1440;

// The window's dpi where the system knows one per window (Windows 10 and later), else the
// screen's.
UINT DpiOf(HWND window);
// The dpi a new window gets before it exists: the primary screen's.
UINT SystemDpi();

constexpr int ToPixels(int twips, UINT dpi) {
  // Rounded to the nearest pixel; exact at 96 dpi, where every position is a whole pixel.
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                      : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}
static_assert(ToPixels(9000, 96) == 600 && ToPixels(-1200, 96) == -80 && ToPixels(15, 192) == 2);

// The outer window rectangle around a client rectangle, at the window's dpi.
RECT OuterRect(RECT client, DWORD style, DWORD extendedStyle, UINT dpi);

// A system metric (SM_CXICON, SM_CXSMICON, ...) for a window of that dpi. Where the system has no
// metric per dpi (before Windows 10), every window has the system's dpi, whose metric it is.
int MetricForDpi(int index, UINT dpi);

}  // namespace vestora::win32
