#include "forms/win32/dpi.h"

namespace vestora::win32 {
namespace {

// Functions of newer Windows versions, looked up at run time so that the program still starts
// on older ones. The detour through a plain function pointer type keeps the cast well defined.
template <typename Function>
Function Newer(const char* name) {
  const HMODULE user = GetModuleHandleW(L"user32.dll");
  FARPROC found = user != nullptr ? GetProcAddress(user, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using MetricsForDpi = int(WINAPI*)(int, UINT);

}  // namespace

UINT SystemDpi() {
  static const auto forSystem = Newer<DpiForSystem>("GetDpiForSystem");
  if (forSystem != nullptr) return forSystem();
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT DpiOf(HWND window) {
  static const auto forWindow = Newer<DpiForWindow>("GetDpiForWindow");
  if (forWindow != nullptr && window != nullptr) {
    const UINT dpi = forWindow(window);
    if (dpi != 0) return dpi;
  }
  return SystemDpi();
}

RECT OuterRect(RECT client, DWORD style, DWORD extendedStyle, UINT dpi) {
  static const auto adjust = Newer<AdjustForDpi>("AdjustWindowRectExForDpi");
  if (adjust != nullptr) {
    adjust(&client, style, FALSE, extendedStyle, dpi);
  } else {
    AdjustWindowRectEx(&client, style, FALSE, extendedStyle);
  }
  return client;
}

int MetricForDpi(int index, UINT dpi) {
  static const auto forDpi = Newer<MetricsForDpi>("GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

}  // namespace vestora::win32
