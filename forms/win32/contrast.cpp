#include "forms/win32/contrast.h"

#include <optional>

namespace vestora::win32 {
namespace {

std::optional<bool> highContrast;

bool ReadSetting() {
  HIGHCONTRASTW setting{};
  setting.cbSize = sizeof setting;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) != FALSE &&
         (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool HighContrastOn() {
  if (!highContrast) highContrast = ReadSetting();
  return *highContrast;
}

COLORREF ShownBackground(COLORREF described) {
  return HighContrastOn() ? GetSysColor(COLOR_WINDOW) : described;
}

COLORREF ShownText(COLORREF described) {
  return HighContrastOn() ? GetSysColor(COLOR_WINDOWTEXT) : described;
}

bool FollowContrastChange(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_SETTINGCHANGE:
      if (wParam != SPI_SETHIGHCONTRAST) return false;
      break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      break;
    default:
      return false;
  }
  // Every window hears of the change and is drawn anew, whichever of them read it first.
  highContrast = ReadSetting();
  return true;
}

}  // namespace vestora::win32
