// High contrast, read back from the pixels on the screen: with it off, the windows show their own
// colours whatever the system's are; with it on, only the system's window and text colours, in
// every open window, following the setting and the system's colours as they change, without
// reopening a window. Wine always says high contrast is off: the test answers for the system
// through the program's import table (SystemParametersInfoW), announces the change as Windows
// does (WM_SETTINGCHANGE with SPI_SETHIGHCONTRAST), and sets the system's colours as a
// high-contrast theme does (SetSysColors, which announces WM_SYSCOLORCHANGE itself). Runs under
// Wine on a private display (see wine-run.sh).
// VESTORA_CONTRAST_SHOT, when set, names a .bmp file for a screenshot of the windows in high
// contrast.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_window.h"
#include "catalog/catalog.h"
#include "forms/fake/motion_override.h"
#include "forms/win32/widgets.h"
#include "forms/win32/win32_runtime.h"
#include "tests/win32/harness.h"
#include "tests/win32/redirect_import.h"

namespace {

using namespace vestora::test;  // the harness: checks, pumping
using vestora::win32::Win32Runtime;

// --- The user's setting, as the program reads it.

bool highContrastOn = false;
decltype(&SystemParametersInfoW) realSystemParametersInfo = nullptr;

BOOL WINAPI SystemParametersInfoHook(UINT action, UINT number, PVOID data, UINT update) {
  if (action != SPI_GETHIGHCONTRAST) return realSystemParametersInfo(action, number, data, update);
  auto* setting = static_cast<HIGHCONTRASTW*>(data);
  if (setting == nullptr || setting->cbSize != sizeof(HIGHCONTRASTW)) return FALSE;
  setting->dwFlags = HCF_AVAILABLE | (highContrastOn ? HCF_HIGHCONTRASTON : 0);
  setting->lpszDefaultScheme = nullptr;
  return TRUE;
}

// Turns the setting, and tells every window as Windows does.
void SetHighContrast(bool on) {
  highContrastOn = on;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG,
                      2000, nullptr);
}

// --- The system's colours, as a high-contrast theme sets them.

struct Theme {
  const char* name;
  COLORREF window, text;
};
// "High Contrast White", and the yellow on black of "High Contrast #1".
constexpr Theme kWhite{"white", RGB(255, 255, 255), RGB(0, 0, 0)};
constexpr Theme kYellowOnBlack{"yellow on black", RGB(0, 0, 0), RGB(255, 255, 0)};

constexpr std::array<int, 6> kThemed = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                        COLOR_BTNTEXT, COLOR_BTNSHADOW,  COLOR_BTNHIGHLIGHT};

void SetSystemColours(const Theme& theme) {
  const std::array<COLORREF, kThemed.size()> colours = {theme.window, theme.text, theme.window,
                                                        theme.text,   theme.text, theme.window};
  SetSysColors(static_cast<int>(kThemed.size()), kThemed.data(), colours.data());
}

// --- The screen's pixels.

// A rectangle of a window's client area as shown on the screen, as 0x00RRGGBB values.
struct Shot {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  COLORREF At(int x, int y) const {
    const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
};

Shot Capture(HWND window, RECT part) {
  Shot shot;
  shot.width = part.right - part.left;
  shot.height = part.bottom - part.top;
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = shot.width;
  format.bmiHeader.biHeight = -shot.height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HDC screen = GetDC(window);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, part.left, part.top, SRCCOPY);
  ReleaseDC(window, screen);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  shot.pixels.assign(first, first + static_cast<std::size_t>(shot.width) * shot.height);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return shot;
}

// A control's client area, in its own coordinates; with a height, only its top rows.
RECT ClientOf(HWND control, int rows = 0) {
  RECT client;
  GetClientRect(control, &client);
  if (rows > 0) client.bottom = rows;
  return client;
}

bool Has(const Shot& shot, COLORREF colour) {
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      if (shot.At(x, y) == colour) return true;
    }
  }
  return false;
}

// Whether the colour lies between the two, as smoothed text blends them: the same share of the
// way from one to the other in every channel.
bool Between(COLORREF colour, COLORREF from, COLORREF to) {
  constexpr int kSlack = 3;  // rounding, in 255ths
  const int shift[3] = {0, 8, 16};
  int share = -1;  // in 255ths of the way, from the first channel that differs
  for (const int s : shift) {
    const int c = static_cast<int>((colour >> s) & 0xFF);
    const int a = static_cast<int>((from >> s) & 0xFF);
    const int b = static_cast<int>((to >> s) & 0xFF);
    if (a == b) {
      if (std::abs(c - a) > kSlack) return false;
      continue;
    }
    const int part = (c - a) * 255 / (b - a);
    if (part < -kSlack || part > 255 + kSlack) return false;
    if (share < 0) {
      share = part;
    } else if (std::abs(part - share) > 2 * kSlack) {
      return false;
    }
  }
  return true;
}

// Drawn in the theme's text colour on its window colour, in no colour but theirs and the blends
// of the two.
bool InTheme(const Shot& shot, const Theme& theme) {
  if (!Has(shot, theme.text)) return false;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      if (!Between(shot.At(x, y), theme.window, theme.text)) return false;
    }
  }
  return true;
}

// Writes the windows' client areas where they are on the screen as a .bmp file, for people to
// look at: each read back from its own window, as the checks read them, the last one on top.
void SaveScreen(const char* path, std::initializer_list<HWND> windows) {
  Shot screen;
  screen.width = GetSystemMetrics(SM_CXSCREEN);
  screen.height = GetSystemMetrics(SM_CYSCREEN);
  screen.pixels.assign(static_cast<std::size_t>(screen.width) * screen.height, 0xFF808080);
  for (HWND window : windows) {
    const Shot shot = Capture(window, ClientOf(window));
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        const int sx = corner.x + x;
        const int sy = corner.y + y;
        if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height) continue;
        // Opaque: a reader of the file may take the fourth byte for alpha.
        screen.pixels[static_cast<std::size_t>(sy) * screen.width + sx] =
            shot.pixels[static_cast<std::size_t>(y) * shot.width + x] | 0xFF000000;
      }
    }
  }
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = screen.width;
  info.biHeight = -screen.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const DWORD bytes = static_cast<DWORD>(screen.pixels.size() * sizeof(std::uint32_t));
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  if (FILE* out = std::fopen(path, "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(screen.pixels.data(), 1, bytes, out);
    std::fclose(out);
  }
}

// --- The test.

struct Windows {
  HWND main, category, frame, slogan, footer;
};

// The parts checked, as shown now: each window raised above the other first.
struct Looks {
  Shot mainCorner, categoryCorner, frameCaption, slogan, footer;
};

Looks LookAt(const Windows& windows) {
  Looks looks;
  for (HWND window : {windows.category, windows.main}) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(window);
    Pump();
    if (window == windows.category) looks.categoryCorner = Capture(window, {0, 0, 4, 4});
  }
  looks.mainCorner = Capture(windows.main, {0, 0, 4, 4});
  // The caption's band of the frame: above the buttons, the etched line through it.
  looks.frameCaption = Capture(windows.frame, ClientOf(windows.frame, 20));
  looks.slogan = Capture(windows.slogan, ClientOf(windows.slogan));
  looks.footer = Capture(windows.footer, ClientOf(windows.footer));
  return looks;
}

bool LooksItsOwn(const Looks& looks) {
  return looks.mainCorner.At(2, 2) == RGB(0, 0, 0) &&
         looks.categoryCorner.At(2, 2) == RGB(0, 0, 0) &&
         Has(looks.frameCaption, RGB(255, 0, 255)) && Has(looks.slogan, RGB(255, 192, 255)) &&
         Has(looks.footer, RGB(255, 0, 0));
}

bool LooksInTheme(const Looks& looks, const Theme& theme) {
  return looks.mainCorner.At(2, 2) == theme.window &&
         looks.categoryCorner.At(2, 2) == theme.window && InTheme(looks.frameCaption, theme) &&
         InTheme(looks.slogan, theme) && InTheme(looks.footer, theme);
}

// Every open window follows the setting and the system's colours, each change in turn.
void OpenWindowsFollowHighContrast() {
  realSystemParametersInfo =
      Redirect("user32.dll", "SystemParametersInfoW", &SystemParametersInfoHook);
  if (!CHECK(realSystemParametersInfo != nullptr)) return;
  std::array<COLORREF, kThemed.size()> before{};
  for (std::size_t i = 0; i < kThemed.size(); ++i) before[i] = GetSysColor(kThemed[i]);

  SetSystemColours(kWhite);
  Win32Runtime backend;
  // The slogan holds still, so that it is shown whenever it is looked at.
  vestora::forms::MotionOverride runtime(backend, true);
  vestora::app::Application program(runtime);
  CHECK(program.Start());
  const vestora::Category& category = vestora::Catalog().front();
  program.Pressed(vestora::app::kMainWindow, category.mainButton);
  const Windows windows{backend.Window(vestora::app::kMainWindow),
                        backend.Window(category.windowName),
                        backend.Control(vestora::app::kMainWindow, "Frame1"),
                        backend.Control(vestora::app::kMainWindow, vestora::app::kSlogan),
                        backend.Control(vestora::app::kMainWindow, vestora::app::kFooter)};
  if (!CHECK(windows.main && windows.category && windows.frame && windows.slogan &&
             windows.footer)) {
    return;
  }

  // Each step, and how the windows must look after it.
  struct Step {
    const char* what;
    void (*change)();
    const Theme* theme;  // null: the windows' own colours
  };
  const Step steps[] = {
      {"off, the system's colours a high-contrast theme's", [] {}, nullptr},
      {"turned on", [] { SetHighContrast(true); }, &kWhite},
      {"the theme's colours change", [] { SetSystemColours(kYellowOnBlack); }, &kYellowOnBlack},
      {"turned off", [] { SetHighContrast(false); }, nullptr},
      {"turned on again", [] { SetHighContrast(true); }, &kYellowOnBlack},
  };
  for (const Step& step : steps) {
    step.change();
    Looks looks;
    const bool looksRight = PumpUntil([&] {
      looks = LookAt(windows);
      return step.theme != nullptr ? LooksInTheme(looks, *step.theme) : LooksItsOwn(looks);
    });
    char seen[96];
    std::snprintf(seen, sizeof seen, "backgrounds %06lX and %06lX",
                  static_cast<unsigned long>(looks.mainCorner.At(2, 2)),
                  static_cast<unsigned long>(looks.categoryCorner.At(2, 2)));
    CHECK_MSG(looksRight, std::string(step.what) + ": " + seen);
    if (step.theme == &kWhite) {
      if (const char* path = std::getenv("VESTORA_CONTRAST_SHOT")) {
        SaveScreen(path, {windows.category, windows.main});
      }
    }
  }

  // The focus cue a picture box shows when the keyboard brings the focus: in the theme's two
  // colours (today's black and white dashes would show white, and black on black), seen on any
  // picture since the two stand out from each other.
  SetForegroundWindow(windows.category);
  PumpUntil([&] { return GetActiveWindow() == windows.category; });
  // Tab, as the user presses it, until a picture box has the focus.
  HWND box = nullptr;
  for (int presses = 0; presses < 4 && box == nullptr; ++presses) {
    MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    if (!vestora::win32::HandleDialogKeys(tab)) DispatchMessageW(&tab);
    if (vestora::win32::PictureOf(GetFocus()) != nullptr) box = GetFocus();
  }
  if (CHECK(box != nullptr)) {
    CHECK(vestora::win32::ShowsFocusCue(box));
    bool inTheme = false;
    CHECK(PumpUntil([&] {
      SetWindowPos(windows.category, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      UpdateWindow(box);
      const Shot cue = Capture(box, {1, 1, ClientOf(box).right - 2, 2});
      inTheme = Has(cue, kYellowOnBlack.text) && Has(cue, kYellowOnBlack.window);
      for (const std::uint32_t pixel : cue.pixels) {
        const COLORREF colour = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
        inTheme = inTheme && (colour == kYellowOnBlack.text || colour == kYellowOnBlack.window);
      }
      return inTheme;
    }));
  }

  SetHighContrast(false);
  SetSysColors(static_cast<int>(kThemed.size()), kThemed.data(), before.data());
}

constexpr vestora::test::Test kTests[] = {
    {"open windows follow high contrast", OpenWindowsFollowHighContrast},
};

}  // namespace

int main() {
  if (!vestora::win32::PrepareApplication()) {
    std::printf("the embedded fonts could not be registered\n");
  }
  return vestora::test::RunTests(kTests);
}
