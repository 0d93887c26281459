// The Win32 backend on a real desktop, read back from the system: a window dragged to a screen of
// another dpi (the message the system sends then, sent here with the rectangle the system would
// suggest), the background a themed control asks its parent for, the icons for each dpi, the boxes
// the program waits for, the focus after a restore, and the first window shown as the program's
// launcher asks. Runs under Wine on a private display (see wine-run.sh); Wine never changes a
// window's dpi by itself.
#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>
#include <shlwapi.h>
#include <uxtheme.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/category_window.h"
#include "app/main_window.h"
#include "catalog/catalog.h"
#include "forms/win32/dpi.h"
#include "forms/win32/fonts.h"
#include "forms/win32/resources.h"
#include "forms/win32/text.h"
#include "forms/win32/widgets.h"
#include "forms/win32/win32_runtime.h"
#include "tests/win32/harness.h"

namespace {

using vestora::test::Pump;
using vestora::test::PumpUntil;
using vestora::test::RecordingEvents;
using vestora::win32::Win32Runtime;

constexpr UINT kDpiChanged = 0x02E0;        // WM_DPICHANGED
constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE

// The screen's dots per inch, which every window starts with (wine-run.sh sets it).
UINT systemDpi = 96;

RECT PixelRect(const vestora::TwipRect& twips, UINT dpi) {
  const int left = vestora::win32::ToPixels(twips.left, dpi);
  const int top = vestora::win32::ToPixels(twips.top, dpi);
  return {left, top, left + vestora::win32::ToPixels(twips.width, dpi),
          top + vestora::win32::ToPixels(twips.height, dpi)};
}

// Where a control lies in the window it is a child of (its frame, or the form).
RECT RectInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// A 32-bit device-independent bitmap to draw into and read back.
struct Canvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  std::uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;

  Canvas(int w, int h) : width(w), height(h) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = w;
    format.bmiHeader.biHeight = -h;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<std::uint32_t*>(pixels);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Fill(COLORREF colour) {
    const RECT all{0, 0, width, height};
    SetDCBrushColor(dc, colour);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  COLORREF At(int x, int y) const {
    const std::uint32_t pixel = bits[static_cast<std::size_t>(y) * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
  std::vector<std::uint32_t> Pixels() const {
    GdiFlush();
    return {bits, bits + static_cast<std::size_t>(width) * height};
  }
};

// The part of a window's client area that is on the screen, where its pixels can be read back.
RECT VisibleClient(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT visible{};
  IntersectRect(&visible, &client, &screen);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&visible), 2);
  return visible;
}

// The client area's pixels as drawn on the screen, the part that is on it.
std::vector<std::uint32_t> ShownPixels(HWND window) {
  const RECT visible = VisibleClient(window);
  if (IsRectEmpty(&visible)) return {};
  Canvas canvas(visible.right - visible.left, visible.bottom - visible.top);
  HDC dc = GetDC(window);
  BitBlt(canvas.dc, 0, 0, canvas.width, canvas.height, dc, visible.left, visible.top, SRCCOPY);
  ReleaseDC(window, dc);
  return canvas.Pixels();
}

COLORREF PixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

std::size_t Differences(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  if (a.size() != b.size()) return std::max(a.size(), b.size());
  std::size_t differ = 0;
  for (std::size_t i = 0; i < a.size(); ++i) differ += a[i] != b[i] ? 1 : 0;
  return differ;
}

// What a picture box of that description shows at that dpi, worked out here from the decoder's
// own bitmap: the picture in 32 bits a pixel from the top-left corner, pixel for pixel at 96 dpi,
// else stretched to its size times dpi / 96 with halftone smoothing; the box's background around
// it. The part of the box that is on the screen.
std::vector<std::uint32_t> ExpectedPictureBox(const vestora::forms::ControlDescription& control,
                                              UINT dpi, const RECT& visible) {
  const RECT box = PixelRect(control.rect, dpi);
  Canvas canvas(box.right - box.left, box.bottom - box.top);
  canvas.Fill(control.background ? static_cast<COLORREF>(*control.background)
                                 : GetSysColor(COLOR_BTNFACE));
  const std::span<const std::byte> encoded = vestora::win32::EmbeddedFile(control.picture);
  IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(encoded.data()),
                                      static_cast<UINT>(encoded.size()));
  IPicture* picture = nullptr;
  OLE_HANDLE handle = 0;
  if (stream != nullptr &&
      SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(encoded.size()), FALSE, IID_IPicture,
                               reinterpret_cast<void**>(&picture))) &&
      SUCCEEDED(picture->get_Handle(&handle))) {
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    Canvas decoded(size.bmWidth, size.bmHeight);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(decoded.dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP like = CreateCompatibleBitmap(screen, canvas.width, canvas.height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldLike = SelectObject(target, like);
    BitBlt(target, 0, 0, canvas.width, canvas.height, canvas.dc, 0, 0, SRCCOPY);
    if (dpi == 96) {
      BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, decoded.dc, 0, 0, SRCCOPY);
    } else {
      SetStretchBltMode(target, HALFTONE);
      StretchBlt(target, 0, 0, MulDiv(size.bmWidth, static_cast<int>(dpi), 96),
                 MulDiv(size.bmHeight, static_cast<int>(dpi), 96), decoded.dc, 0, 0, size.bmWidth,
                 size.bmHeight, SRCCOPY);
    }
    BitBlt(canvas.dc, 0, 0, canvas.width, canvas.height, target, 0, 0, SRCCOPY);
    SelectObject(target, oldLike);
    DeleteObject(like);
    DeleteDC(target);
  }
  if (picture != nullptr) picture->Release();
  if (stream != nullptr) stream->Release();
  const std::vector<std::uint32_t> all = canvas.Pixels();
  std::vector<std::uint32_t> part;
  for (LONG y = visible.top; y < visible.bottom; ++y) {
    for (LONG x = visible.left; x < visible.right; ++x) {
      part.push_back(all[static_cast<std::size_t>(y) * canvas.width + x] & 0xFFFFFF);
    }
  }
  return part;
}

// Whether the picture of a box, as drawn at that dpi, lies wholly on the screen.
bool PictureOnScreen(HWND box, UINT dpi) {
  const auto* picture = vestora::win32::PictureOf(box);
  if (picture == nullptr) return false;
  POINT corner{0, 0};
  ClientToScreen(box, &corner);
  return corner.x >= 0 && corner.y >= 0 &&
         corner.x + MulDiv(picture->Size().cx, static_cast<int>(dpi), 96) <=
             GetSystemMetrics(SM_CXSCREEN) &&
         corner.y + MulDiv(picture->Size().cy, static_cast<int>(dpi), 96) <=
             GetSystemMetrics(SM_CYSCREEN);
}

std::vector<std::uint32_t> WithoutAlpha(std::vector<std::uint32_t> pixels) {
  for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

HFONT FontOf(HWND control) {
  return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

LOGFONTW LogFontOf(HFONT font) {
  LOGFONTW described{};
  GetObjectW(font, sizeof described, &described);
  return described;
}

// --- Icons: the images of the program's icon group, as the resource holds them.

// The image of the group that is exactly that many pixels wide, in the most colours; null when
// the group has no image of that size. The caller destroys it.
HICON GroupImage(int size) {
  const HMODULE module = GetModuleHandleW(nullptr);
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(vestora::win32::kIconGroup), RT_GROUP_ICON);
  if (group == nullptr) return nullptr;
  const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
  const int count = directory[4] | (directory[5] << 8);
  int bestId = -1;
  int bestBits = -1;
  for (int i = 0; i < count; ++i) {
    const BYTE* entry = directory + 6 + 14 * i;  // GRPICONDIRENTRY
    const int width = entry[0] == 0 ? 256 : entry[0];
    const int bitCount = entry[6] | (entry[7] << 8);
    if (width == size && bitCount > bestBits) {
      bestBits = bitCount;
      bestId = entry[12] | (entry[13] << 8);
    }
  }
  if (bestId < 0) return nullptr;
  HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(bestId), RT_ICON);
  auto* bytes = static_cast<BYTE*>(LockResource(LoadResource(module, image)));
  return CreateIconFromResourceEx(bytes, SizeofResource(module, image), TRUE, 0x00030000, size,
                                  size, LR_DEFAULTCOLOR);
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP colour{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof colour, &colour);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return colour.bmWidth;
}

bool IconAlive(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return true;
}

std::vector<std::uint32_t> Drawn(HICON icon, int size) {
  Canvas canvas(size, size);
  canvas.Fill(RGB(1, 2, 3));
  DrawIconEx(canvas.dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  return canvas.Pixels();
}

// The window's icon of that kind is the group's own image of the size for the dpi, where the
// group has one (16 pixels small at 96 dpi, 24 at 144); else it has that size at least.
void CheckIcon(HWND window, WPARAM which, int sizeAt96, UINT dpi, const std::string& where) {
  HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
  const int size = MulDiv(sizeAt96, static_cast<int>(dpi), 96);
  if (!CHECK_MSG(icon != nullptr, where)) return;
  CHECK_MSG(IconWidth(icon) == size, where + ": " + std::to_string(IconWidth(icon)) +
                                         " pixels wide, expected " + std::to_string(size));
  if (HICON image = GroupImage(size)) {
    CHECK_MSG(Drawn(icon, size) == Drawn(image, size),
              where + ": not the group's image of " + std::to_string(size) + " pixels");
    DestroyIcon(image);
  }
}

// --- A window that moves to a screen of another dpi.

// Dispatches messages until the window manager is done with the window: its place and size have
// held for a while and nothing of it waits to be painted.
void Settle(HWND window) {
  RECT last{};
  GetWindowRect(window, &last);
  ULONGLONG heldSince = GetTickCount64();
  PumpUntil(
      [&] {
        RECT now;
        GetWindowRect(window, &now);
        if (!(now == last)) {
          last = now;
          heldSince = GetTickCount64();
        }
        return GetTickCount64() - heldSince >= 300 && GetUpdateRect(window, nullptr, FALSE) == 0;
      },
      5000);
}

// What the system does when a window is dragged to a screen of another dpi: it asks the window for
// its size there (and scales it linearly when the window does not answer) and suggests that
// rectangle, moved as the drag moved it.
RECT DragToDpi(HWND window, UINT from, UINT to, POINT moved) {
  RECT outer;
  GetWindowRect(window, &outer);
  SIZE size{};
  if (SendMessageW(window, kGetDpiScaledSize, to, reinterpret_cast<LPARAM>(&size)) == 0) {
    size = {MulDiv(outer.right - outer.left, static_cast<int>(to), static_cast<int>(from)),
            MulDiv(outer.bottom - outer.top, static_cast<int>(to), static_cast<int>(from))};
  }
  RECT suggested{outer.left + moved.x, outer.top + moved.y, outer.left + moved.x + size.cx,
                 outer.top + moved.y + size.cy};
  SendMessageW(window, kDpiChanged, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
  return suggested;
}

// What a window is at one dpi, to compare with what it is at the same dpi later.
struct WindowState {
  RECT outer{};
  SIZE client{};
  std::vector<RECT> controls;
  std::vector<LONG> fontHeights;
  std::vector<std::uint32_t> pixels;
  std::vector<HFONT> fonts;
  std::vector<HICON> icons;
};

WindowState StateOf(Win32Runtime& runtime, const vestora::forms::FormDescription& form) {
  WindowState state;
  HWND window = runtime.Window(form.name);
  GetWindowRect(window, &state.outer);
  RECT client;
  GetClientRect(window, &client);
  state.client = {client.right, client.bottom};
  for (const vestora::forms::ControlDescription& control : form.controls) {
    HWND hwnd = runtime.Control(form.name, control.name);
    state.controls.push_back(RectInParent(hwnd));
    HFONT font = FontOf(hwnd);
    state.fontHeights.push_back(font != nullptr ? LogFontOf(font).lfHeight : 0);
    if (font != nullptr) state.fonts.push_back(font);
  }
  for (WPARAM which : {ICON_BIG, ICON_SMALL}) {
    if (auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0))) {
      state.icons.push_back(icon);
    }
  }
  state.pixels = ShownPixels(window);
  return state;
}

// Everything of the window at that dpi: the client size, every control where its description
// puts it with the font of its size, the pictures as a repaint draws them, the frames' captions
// indented, the icons.
void CheckAtDpi(Win32Runtime& runtime, const vestora::forms::FormDescription& form, UINT dpi) {
  const std::string at = std::string(form.name) + " at " + std::to_string(dpi) + " dpi";
  HWND window = runtime.Window(form.name);
  RECT client;
  GetClientRect(window, &client);
  const int width = vestora::win32::ToPixels(form.clientWidth, dpi);
  const int height = vestora::win32::ToPixels(form.clientHeight, dpi);
  CHECK_MSG(client.right == width && client.bottom == height,
            at + ": client " + std::to_string(client.right) + "x" + std::to_string(client.bottom) +
                ", described " + std::to_string(width) + "x" + std::to_string(height));

  std::size_t pictureDifferences = 0;
  std::size_t picturePixels = 0;
  int picturesCompared = 0;
  for (const vestora::forms::ControlDescription& control : form.controls) {
    HWND hwnd = runtime.Control(form.name, control.name);
    const std::string where = at + ", " + std::string(control.name);
    if (!CHECK_MSG(hwnd != nullptr, where)) continue;
    const RECT expected = PixelRect(control.rect, dpi);
    if (!(RectInParent(hwnd) == expected)) {
      std::ostringstream what;
      what << where << " at " << RectInParent(hwnd) << ", described " << expected;
      CHECK_MSG(false, what.str());
    }
    if (control.kind == vestora::forms::ControlKind::PictureBox) {
      // What the box shows now against what it shows when it is drawn anew.
      const std::vector<std::uint32_t> shown = ShownPixels(hwnd);
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      pictureDifferences += Differences(shown, ShownPixels(hwnd));
      picturePixels += shown.size();
      // And against what it should show, worked out from the decoder's bitmap, where the whole
      // picture as drawn is on the screen: Wine smooths a stretched picture that the screen's
      // edge cuts off a little differently (by one in a colour channel), and did so before.
      if (PictureOnScreen(hwnd, dpi)) {
        const std::size_t wrong =
            Differences(WithoutAlpha(shown), ExpectedPictureBox(control, dpi, VisibleClient(hwnd)));
        CHECK_MSG(wrong == 0, where + ": " + std::to_string(wrong) + " of " +
                                  std::to_string(shown.size()) + " pixels not the picture's");
        ++picturesCompared;
      }
      continue;
    }
    const double points = vestora::win32::Resolve(control.font, L"").points;
    CHECK_MSG(LogFontOf(FontOf(hwnd)).lfHeight == -std::lround(points * dpi / 72.0),
              where + ": font height " + std::to_string(LogFontOf(FontOf(hwnd)).lfHeight));
    if (control.kind == vestora::forms::ControlKind::Frame) {
      // The caption interrupts the border line that runs through its middle, an indent from the
      // frame's left edge that grows with the dpi.
      HDC dc = GetDC(hwnd);
      HGDIOBJ old = SelectObject(dc, FontOf(hwnd));
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc, &metrics);
      SelectObject(dc, old);
      ReleaseDC(hwnd, dc);
      const COLORREF background = static_cast<COLORREF>(control.background.value_or(0));
      const int y = metrics.tmHeight / 2;
      int indent = 0;
      while (indent < 100 && PixelOf(hwnd, indent, y) != background) ++indent;
      CHECK_MSG(indent == MulDiv(8, static_cast<int>(dpi), 96),
                where + ": caption indented " + std::to_string(indent) + " pixels");
    }
  }
  // Some pictures are compared in every window: the check must not pass by comparing none.
  const bool hasPictures = std::ranges::any_of(form.controls, [](const auto& control) {
    return control.kind == vestora::forms::ControlKind::PictureBox;
  });
  CHECK_MSG(!hasPictures || picturesCompared > 0, at + ": no picture wholly on the screen");
  CHECK_MSG(pictureDifferences == 0, at + ": " + std::to_string(pictureDifferences) + " of " +
                                         std::to_string(picturePixels) +
                                         " picture pixels differ from a repaint");
  if (form.hasIcon) {
    CheckIcon(window, ICON_SMALL, 16, dpi, at + ", small icon");
    CheckIcon(window, ICON_BIG, 32, dpi, at + ", big icon");
  }
}

// The main window, a large category window (partly off a 1280 x 800 screen at 144 dpi) and a
// small one, each dragged through screens of 144, 120 and 96 dpi and back to where it started.
void WindowsFollowTheirScreensDpi() {
  std::vector<UINT> steps;
  for (UINT dpi : {144u, 120u, 96u}) {
    if (dpi != systemDpi) steps.push_back(dpi);
  }
  steps.push_back(systemDpi);
  const POINT moves[] = {{16, 8}, {-8, 0}, {-8, -8}};  // back where it started at the end

  for (const vestora::forms::FormDescription& form :
       {vestora::app::MainWindowDescription(),
        vestora::app::DescribeCategoryWindow(*vestora::CategoryByWindow("Form10")),
        vestora::app::DescribeCategoryWindow(*vestora::CategoryByWindow("Form3"))}) {
    Win32Runtime runtime;
    RecordingEvents events;
    runtime.ShowForm(form, events);
    HWND window = runtime.Window(form.name);
    if (!CHECK(window != nullptr)) continue;
    Settle(window);
    CheckAtDpi(runtime, form, systemDpi);
    const WindowState first = StateOf(runtime, form);
    std::vector<HFONT> fonts = first.fonts;
    std::vector<HICON> icons = first.icons;

    UINT dpi = systemDpi;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const std::string at = std::string(form.name) + " to " + std::to_string(steps[i]) + " dpi";
      SIZE answered{};
      CHECK_MSG(SendMessageW(window, kGetDpiScaledSize, steps[i],
                             reinterpret_cast<LPARAM>(&answered)) != 0,
                at + ": the window says its size");
      const RECT suggested = DragToDpi(window, dpi, steps[i], moves[i]);
      dpi = steps[i];
      // The window manager answers the window's moves when it gets to them.
      Settle(window);
      RECT outer;
      GetWindowRect(window, &outer);
      {
        std::ostringstream what;
        what << at << ": at " << outer << ", suggested " << suggested;
        CHECK_MSG(outer.left == suggested.left && outer.top == suggested.top, what.str());
      }
      CheckAtDpi(runtime, form, dpi);
      const WindowState now = StateOf(runtime, form);
      fonts.insert(fonts.end(), now.fonts.begin(), now.fonts.end());
      icons.insert(icons.end(), now.icons.begin(), now.icons.end());
    }

    // Back at the dpi it started with, the window is as it was, and nothing of the other dpis is
    // left: the fonts and icons it held there are gone.
    const WindowState last = StateOf(runtime, form);
    const std::string name(form.name);
    {
      std::ostringstream what;
      what << name << " at " << last.outer << ", first at " << first.outer;
      CHECK_MSG(last.outer == first.outer, what.str());
    }
    CHECK_MSG(last.client.cx == first.client.cx && last.client.cy == first.client.cy, name);
    CHECK_MSG(std::ranges::equal(last.controls, first.controls,
                                 [](const RECT& a, const RECT& b) { return a == b; }),
              name + ": controls moved");
    CHECK_MSG(last.fontHeights == first.fontHeights, name + ": font heights");
    const std::size_t differ = Differences(last.pixels, first.pixels);
    CHECK_MSG(differ == 0, name + ": " + std::to_string(differ) + " of " +
                               std::to_string(first.pixels.size()) +
                               " pixels differ from the first");
    for (HFONT font : fonts) {
      const bool held = std::ranges::find(last.fonts, font) != last.fonts.end();
      CHECK_MSG(GetObjectType(font) == (held ? static_cast<DWORD>(OBJ_FONT) : 0u),
                name + (held ? ": a font it holds is gone" : ": a font of another dpi is alive"));
    }
    for (HICON icon : icons) {
      const bool held = std::ranges::find(last.icons, icon) != last.icons.end();
      CHECK_MSG(IconAlive(icon) == held,
                name + (held ? ": an icon it holds is gone" : ": an icon of another dpi is alive"));
    }
  }
}

// --- The background a themed control draws under its rounded corners: its parent's.

void ControlsGetTheirParentsBackground() {
  const vestora::forms::Color kSeaGreen = 0x578B2E;
  for (const bool inFrame : {true, false}) {
    for (const vestora::forms::Color colour : {vestora::forms::kBlack, kSeaGreen}) {
      vestora::forms::FormDescription form =
          inFrame ? vestora::app::MainWindowDescription()
                  : vestora::app::DescribeCategoryWindow(*vestora::CategoryByWindow("Form10"));
      std::string_view buttonName;
      for (vestora::forms::ControlDescription& control : form.controls) {
        if (inFrame && control.name == "Frame1") control.background = colour;
        if (control.kind == vestora::forms::ControlKind::PushButton && buttonName.empty() &&
            (control.parent == "Frame1") == inFrame) {
          buttonName = control.name;
        }
      }
      if (!inFrame) form.background = colour;
      Win32Runtime runtime;
      RecordingEvents events;
      runtime.ShowForm(form, events);
      Pump();
      HWND button = runtime.Control(form.name, buttonName);
      const std::string where =
          std::string(inFrame ? "in a frame" : "on a form") + ", colour " + std::to_string(colour);
      if (!CHECK_MSG(button != nullptr, where)) continue;
      RECT rect;
      GetClientRect(button, &rect);
      Canvas canvas(rect.right, rect.bottom);
      const COLORREF marker = RGB(1, 2, 3);
      canvas.Fill(marker);
      CHECK_MSG(SUCCEEDED(DrawThemeParentBackground(button, canvas.dc, &rect)), where);
      GdiFlush();
      int wrong = 0;
      for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
          wrong += canvas.At(x, y) != static_cast<COLORREF>(colour) ? 1 : 0;
        }
      }
      CHECK_MSG(wrong == 0, where + ": " + std::to_string(wrong) + " of " +
                                std::to_string(canvas.width * canvas.height) +
                                " pixels are not the parent's background");
    }
  }
}

// --- The boxes the program waits for.

struct SeenBox {
  HWND owner = nullptr;
  std::vector<bool> enabled;  // of the watched windows, while the box was up
  int count = 0;
};
SeenBox seenBox;
std::vector<HWND> watchedWindows;

void CALLBACK DismissBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = vestora::test::VisibleMessageBox();
  if (box == nullptr) return;
  seenBox.owner = GetWindow(box, GW_OWNER);
  seenBox.enabled.clear();
  for (HWND window : watchedWindows) seenBox.enabled.push_back(IsWindowEnabled(window) != FALSE);
  ++seenBox.count;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// The notice and the failure box belong to the window that is active, so that a click on any
// window of the program brings the box forward; every window waits while it is up and takes
// input again after; the program still ends with its last window, whichever closes last.
void BoxesBelongToTheActiveWindow() {
  int round = 0;
  for (const bool failure : {false, true}) {
    for (const bool mainActive : {true, false}) {
      const std::string where = std::string(failure ? "failure" : "notice") + " box over the " +
                                (mainActive ? "main window" : "category window");
      Win32Runtime runtime;
      vestora::app::Application program(runtime);
      CHECK(program.Start());
      program.Pressed(vestora::app::kMainWindow, vestora::Catalog()[0].mainButton);
      HWND main = runtime.Window(vestora::app::kMainWindow);
      HWND other = runtime.Window(vestora::Catalog()[0].windowName);
      if (!CHECK_MSG(main != nullptr && other != nullptr, where)) continue;
      // The window manager may still be activating the window opened last: asked until it is
      // done.
      HWND active = mainActive ? main : other;
      CHECK_MSG(PumpUntil([&] {
                  if (GetActiveWindow() == active) return true;
                  SetForegroundWindow(active);
                  return false;
                }),
                where + ": the window is not active");

      seenBox = {};
      watchedWindows = {main, other};
      const UINT_PTR timer = SetTimer(nullptr, 0, 100, DismissBox);
      if (failure) {
        runtime.ReportUnhandledFailure("打开窗口", "测试");
      } else {
        runtime.ShowMessageBox(vestora::app::kNoticePrompt, vestora::forms::kExclamationOkOnly,
                               vestora::app::kNoticeTitle);
      }
      KillTimer(nullptr, timer);
      CHECK_MSG(seenBox.count == 1, where);
      CHECK_MSG(seenBox.owner == active, where + ": owned by another window");
      CHECK_MSG(seenBox.enabled == std::vector<bool>({false, false}),
                where + ": a window takes input while the box is up");
      CHECK_MSG(IsWindowEnabled(main) && IsWindowEnabled(other),
                where + ": a window stays disabled after the box");

      const bool mainFirst = round++ % 2 == 0;
      SendMessageW(mainFirst ? main : other, WM_CLOSE, 0, 0);
      CHECK_MSG(program.Registry().AnyOpen(), where);
      PostMessageW(mainFirst ? other : main, WM_CLOSE, 0, 0);
      CHECK_EQ(runtime.Run(), 0);
      CHECK_MSG(!program.Registry().AnyOpen(), where);
    }
  }
}

// --- The focus after a restore: on the control that had it, so that Space and Enter work.

void FocusComesBackToItsControl() {
  const vestora::forms::FormDescription form =
      vestora::app::DescribeCategoryWindow(*vestora::CategoryByWindow("Form10"));
  for (const bool minimize : {true, false}) {
    const std::string where = minimize ? "restored from minimized" : "the window given the focus";
    Win32Runtime runtime;
    RecordingEvents events;
    runtime.ShowForm(form, events);
    Pump();
    HWND window = runtime.Window(form.name);
    HWND control = nullptr;
    for (const vestora::forms::ControlDescription& description : form.controls) {
      if (description.kind == vestora::forms::ControlKind::PushButton &&
          description.focusPosition > 2) {
        control = runtime.Control(form.name, description.name);
        break;
      }
    }
    if (!CHECK_MSG(window != nullptr && control != nullptr, where)) continue;
    SetFocus(control);
    Pump();
    if (minimize) {
      // The window manager minimizes the window in its own time: it is restored once it has.
      ShowWindow(window, SW_MINIMIZE);
      Settle(window);
      ShowWindow(window, SW_RESTORE);
      Settle(window);
      CHECK_MSG(!IsIconic(window), where + ": still minimized");
    } else {
      SetFocus(window);
      Pump();
    }
    CHECK_MSG(GetFocus() == control, where);
  }
}

// --- The first window as the program's launcher asks: a shortcut set to "Minimized" starts it
// minimized; one set to "Maximized" does not maximize a window without a maximize box.

std::wstring Folder(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L"\\/"));
}

struct FoundWindow {
  DWORD process = 0;
  HWND window = nullptr;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM found) {
  auto* wanted = reinterpret_cast<FoundWindow*>(found);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == wanted->process && IsWindowVisible(window)) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring_view(name) == L"VestoraForm") {
      wanted->window = window;
      return FALSE;
    }
  }
  return TRUE;
}

void FirstWindowShowsAsTheLauncherAsks() {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  // The program is built two folders up from this test (tests/win32/).
  const std::wstring program = Folder(Folder(Folder(self))) + L"\\vestora.exe";
  struct Case {
    const char* name;
    std::optional<WORD> show;
    bool minimized;
  };
  for (const Case& c :
       {Case{"no show state", std::nullopt, false}, Case{"normal", WORD{SW_SHOWNORMAL}, false},
        Case{"maximized", WORD{SW_SHOWMAXIMIZED}, false},
        Case{"minimized", WORD{SW_SHOWMINNOACTIVE}, true}}) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (c.show) {
      startup.dwFlags = STARTF_USESHOWWINDOW;
      startup.wShowWindow = *c.show;
    }
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CHECK_MSG(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &started),
                   c.name)) {
      continue;
    }
    FoundWindow found{started.dwProcessId};
    PumpUntil(
        [&] {
          EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&found));
          return found.window != nullptr;
        },
        30'000);
    if (CHECK_MSG(found.window != nullptr, c.name)) {
      Sleep(300);  // the window manager has had its say
      CHECK_MSG(!IsZoomed(found.window), std::string(c.name) + ": maximized");
      CHECK_MSG((IsIconic(found.window) != FALSE) == c.minimized,
                std::string(c.name) + (c.minimized ? ": not minimized" : ": minimized"));
      // Marked for Windows 7 and later, the oldest system the manifest names.
      CHECK_MSG(GetProcessVersion(started.dwProcessId) == MAKELONG(1, 6),
                std::string(c.name) + ": subsystem version " +
                    std::to_string(HIWORD(GetProcessVersion(started.dwProcessId))) + "." +
                    std::to_string(LOWORD(GetProcessVersion(started.dwProcessId))));
      PostMessageW(found.window, WM_CLOSE, 0, 0);
    }
    if (!CHECK_MSG(WaitForSingleObject(started.hProcess, 30'000) == WAIT_OBJECT_0, c.name)) {
      TerminateProcess(started.hProcess, 1);
    }
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    CHECK_MSG(status == 0, c.name);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
}

constexpr vestora::test::Test kTests[] = {
    {"windows follow their screen's dpi", WindowsFollowTheirScreensDpi},
    {"controls get their parent's background", ControlsGetTheirParentsBackground},
    {"boxes belong to the active window", BoxesBelongToTheActiveWindow},
    {"focus comes back to its control", FocusComesBackToItsControl},
    {"first window shows as the launcher asks", FirstWindowShowsAsTheLauncherAsks},
};

}  // namespace

int main() {
  OleInitialize(nullptr);
  // The pointer out of the way: a button under it would be drawn hot.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  systemDpi = vestora::win32::SystemDpi();
  std::printf("at %u dpi\n", systemDpi);
  if (!vestora::win32::PrepareApplication()) {
    std::printf("the embedded fonts could not be registered\n");
  }
  const int status = vestora::test::RunTests(kTests);
  OleUninitialize();
  return status;
}
