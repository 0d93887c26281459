// The Win32 backend's windows, read back from the system: every control of the main window and of
// every category window where its description puts it, colours and pictures as drawn, the focus
// walk, the timer, the message boxes, the program's end in both closing orders, the failure path,
// and programs started with their exact command lines. Runs under Wine on a private display
// (see wine-run.sh).
#include <objbase.h>
#include <oleacc.h>
#include <olectl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/category_window.h"
#include "app/link_launcher.h"
#include "app/main_window.h"
#include "catalog/catalog.h"
#include "catalog/constants.h"
#include "catalog/link_commands.h"
#include "forms/fake/motion_override.h"
#include "forms/win32/dpi.h"
#include "forms/win32/packed_pixels.h"
#include "forms/win32/pictures.h"
#include "forms/win32/resources.h"
#include "forms/win32/start_program.h"
#include "forms/win32/text.h"
#include "forms/win32/widgets.h"
#include "forms/win32/win32_runtime.h"
#include "tests/role_words.h"
#include "tests/win32/harness.h"

namespace {

using namespace vestora::test;  // the harness: pumping, events, the box watch
using vestora::win32::Utf8;
using vestora::win32::Wide;
using vestora::win32::Win32Runtime;

// The screen's dots per inch: 96 unless the test's prefix says otherwise (wine-run.sh). The
// layout is pixel-exact at 96 and scales with the rest.
UINT dpi = 96;

int Px(int twips) {
  return vestora::win32::ToPixels(twips, dpi);
}

// A control's rectangle in pixels: each edge scales on its own, as the backend places it.
RECT PixelRect(const vestora::TwipRect& twips, int offsetLeft = 0, int offsetTop = 0) {
  const int left = Px(twips.left) + Px(offsetLeft);
  const int top = Px(twips.top) + Px(offsetTop);
  return {left, top, left + Px(twips.width), top + Px(twips.height)};
}

// Where a control lies in its form's client area.
RECT RectInForm(HWND control, HWND form) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE ClientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

// A pixel as drawn on the screen, read back through the window's device context.
COLORREF PixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF pixel = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return pixel;
}

// Whether a point of a window is on the screen, where its pixels can be read back.
bool OnScreen(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point.x >= 0 && point.y >= 0 && point.x < GetSystemMetrics(SM_CXSCREEN) &&
         point.y < GetSystemMetrics(SM_CYSCREEN);
}

COLORREF PixelOfPicture(const vestora::win32::Picture& picture, int x, int y) {
  const vestora::win32::DecodedPicture decoded = vestora::win32::DecodePicture(picture.Encoded());
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, decoded.Bitmap());
  const COLORREF pixel = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return pixel;
}

// --- The tests.

void MainWindowMatchesItsDescription() {
  Win32Runtime runtime;
  vestora::app::Application program(runtime);
  CHECK(program.Start());
  HWND main = runtime.Window(vestora::app::kMainWindow);
  if (!CHECK(main != nullptr)) return;
  Pump();
  CHECK(TextOf(main) == L"Vestora");
  const SIZE client = ClientSize(main);
  CHECK_EQ(client.cx, Px(vestora::app::kMainClientWidth));
  CHECK_EQ(client.cy, Px(vestora::app::kMainClientHeight));
  CHECK((GetWindowLongPtrW(main, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX)) == 0);
  CHECK((GetWindowLongPtrW(main, GWL_STYLE) & WS_MINIMIZEBOX) != 0);
  CHECK((GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0);
  CHECK(GetWindow(main, GW_OWNER) == nullptr);
  CHECK(SendMessageW(main, WM_GETICON, ICON_BIG, 0) != 0);

  for (const vestora::app::MainControl& control : vestora::app::kMainControls) {
    HWND hwnd = runtime.Control(vestora::app::kMainWindow, control.name);
    if (!CHECK_MSG(hwnd != nullptr, std::string(control.name))) continue;
    vestora::TwipRect frame{};
    for (const vestora::app::MainControl& other : vestora::app::kMainControls) {
      if (other.name == control.parent) frame = other.rect;
    }
    std::ostringstream name;
    name << control.name;
    const RECT expected = PixelRect(control.rect, frame.left, frame.top);
    if (!(RectInForm(hwnd, main) == expected)) {
      std::ostringstream what;
      what << control.name << " at " << RectInForm(hwnd, main) << ", described " << expected;
      CHECK_MSG(false, what.str());
    }
    if (control.kind == vestora::forms::ControlKind::PushButton) {
      CHECK_MSG(TextOf(hwnd) == Wide(control.text), name.str());
      CHECK_MSG((GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON, name.str());
    }
  }

  // Black around everything, the magenta caption and the red footer as drawn.
  CHECK_EQ(PixelOf(main, 2, 2), RGB(0, 0, 0));
  auto hasColour = [](HWND window, COLORREF colour) {
    RECT client;
    GetClientRect(window, &client);
    for (int y = 0; y < client.bottom; ++y) {
      for (int x = 0; x < client.right; ++x) {
        if (PixelOf(window, x, y) == colour) return true;
      }
    }
    return false;
  };
  CHECK(hasColour(runtime.Control(vestora::app::kMainWindow, "Frame1"), RGB(255, 0, 255)));
  CHECK(
      hasColour(runtime.Control(vestora::app::kMainWindow, vestora::app::kFooter), RGB(255, 0, 0)));
}

void EveryCategoryWindowMatchesItsDescription() {
  Win32Runtime runtime;
  vestora::app::Application program(runtime);
  CHECK(program.Start());
  for (const vestora::Category& category : vestora::Catalog()) {
    const std::string name(category.windowName);
    program.Pressed(vestora::app::kMainWindow, category.mainButton);
    HWND window = runtime.Window(category.windowName);
    if (!CHECK_MSG(window != nullptr, name)) continue;
    Pump();
    // Its pictures are kept for its next paint, within the budget.
    const vestora::win32::KeptPictures kept = vestora::win32::PicturesKept();
    CHECK_MSG(kept.bytes <= vestora::win32::kKeptPicturesBudget, name);
    CHECK_MSG(kept.count >= static_cast<int>(category.cells.size()), name + " pictures kept");
    CHECK_MSG(TextOf(window) == Wide(category.caption), name);
    const SIZE client = ClientSize(window);
    CHECK_MSG(client.cx == Px(category.clientWidth) && client.cy == Px(category.clientHeight),
              name);
    CHECK_MSG((SendMessageW(window, WM_GETICON, ICON_BIG, 0) != 0) == category.hasIcon, name);
    if (category.placement == vestora::Placement::ManualPlacement) {
      POINT corner{0, 0};
      ClientToScreen(window, &corner);
      std::ostringstream what;
      what << name << " client corner at " << corner.x << "," << corner.y;
      CHECK_MSG(corner.x == Px(category.clientLeft) && corner.y == Px(category.clientTop),
                what.str());
    }
    const vestora::forms::FormDescription form = vestora::app::DescribeCategoryWindow(category);
    for (const vestora::forms::ControlDescription& control : form.controls) {
      HWND hwnd = runtime.Control(category.windowName, control.name);
      const std::string where = name + "." + std::string(control.name);
      if (!CHECK_MSG(hwnd != nullptr, where)) continue;
      CHECK_MSG(RectInForm(hwnd, window) == PixelRect(control.rect), where);
      if (control.kind != vestora::forms::ControlKind::PictureBox) {
        CHECK_MSG(TextOf(hwnd) == L"点我获取", where);
        continue;
      }
      // The picture unscaled from the top-left corner, read back from the screen (above 96 dpi
      // it grows with the layout, smoothed, so only its extent is compared).
      const vestora::win32::Picture* picture = vestora::win32::PictureOf(hwnd);
      if (!CHECK_MSG(picture != nullptr && !picture->IsNull(), where)) continue;
      const SIZE size = picture->Size();
      const RECT box = PixelRect(control.rect);
      for (const POINT p :
           {POINT{0, 0}, POINT{size.cx / 2, size.cy / 2}, POINT{size.cx - 1, size.cy - 1}}) {
        if (dpi != 96 || p.x >= box.right - box.left || p.y >= box.bottom - box.top ||
            !OnScreen(hwnd, p.x, p.y)) {
          continue;
        }
        CHECK_MSG(PixelOf(hwnd, p.x, p.y) == PixelOfPicture(*picture, p.x, p.y), where);
      }
      // Around a smaller picture, the box's background.
      const int shownWidth = MulDiv(size.cx, static_cast<int>(dpi), 96);
      if (shownWidth < box.right - box.left && OnScreen(hwnd, shownWidth, 0)) {
        const COLORREF around =
            control.background ? *control.background : GetSysColor(COLOR_BTNFACE);
        CHECK_MSG(PixelOf(hwnd, shownWidth, 0) == around, where);
      }
    }
    SendMessageW(window, WM_CLOSE, 0, 0);
    CHECK_MSG(runtime.Window(category.windowName) == nullptr, name);
    CHECK_MSG(!program.Registry().Find(category.windowName)->open, name);
  }
  CHECK_EQ(vestora::win32::LivePictureBoxes(), 0);
  // No picture is kept once its box is gone.
  CHECK_EQ(vestora::win32::PicturesKept().count, 0);
}

// Tab walks every control that takes the focus in the described order and comes round again;
// Shift+Tab walks back. A picture box shows a cue when the keyboard brought the focus there.
void TabWalksTheFocusOrder() {
  for (const vestora::forms::FormDescription& form :
       {vestora::app::MainWindowDescription(),
        vestora::app::DescribeCategoryWindow(*vestora::CategoryByWindow("Form10"))}) {
    Win32Runtime runtime;
    RecordingEvents events;
    runtime.ShowForm(form, events);
    Pump();
    std::vector<const vestora::forms::ControlDescription*> order;
    for (const auto& control : form.controls) {
      if (control.kind == vestora::forms::ControlKind::PictureBox ||
          control.kind == vestora::forms::ControlKind::PushButton) {
        order.push_back(&control);
      }
    }
    std::ranges::stable_sort(order, {}, [](auto* control) { return control->focusPosition; });
    auto focused = [&] { return GetFocus(); };
    auto control = [&](std::size_t i) { return runtime.Control(form.name, order[i]->name); };
    CHECK_MSG(focused() == control(0), std::string(form.name) + " starts on its first control");
    CHECK(!vestora::win32::ShowsFocusCue(control(0)));

    auto press = [](WPARAM key, bool shift) {
      BYTE keys[256] = {};
      GetKeyboardState(keys);
      keys[VK_SHIFT] = shift ? 0x80 : 0;
      SetKeyboardState(keys);
      MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
      if (!vestora::win32::HandleDialogKeys(message)) DispatchMessageW(&message);
      keys[VK_SHIFT] = 0;
      SetKeyboardState(keys);
    };
    for (std::size_t i = 1; i <= order.size(); ++i) {
      press(VK_TAB, false);
      const std::size_t next = i % order.size();
      CHECK_MSG(focused() == control(next),
                std::string(form.name) + " Tab to " + std::string(order[next]->name));
      if (order[next]->kind == vestora::forms::ControlKind::PictureBox) {
        CHECK(vestora::win32::ShowsFocusCue(control(next)));
      }
    }
    press(VK_TAB, true);
    CHECK_MSG(focused() == control(order.size() - 1), std::string(form.name) + " Shift+Tab");

    // Enter presses the focused button.
    for (std::size_t i = 0; i < order.size(); ++i) {
      if (order[i]->kind != vestora::forms::ControlKind::PushButton) continue;
      SetFocus(control(i));
      press(VK_RETURN, false);
      Pump();
      CHECK_EQ(events.pressed.size(), std::size_t{1});
      if (!events.pressed.empty()) {
        CHECK_EQ(events.pressed.front(),
                 std::string(form.name) + "." + std::string(order[i]->name));
      }
      break;
    }
  }
}

void TimerTicksWhileItsWindowIsOpen() {
  Win32Runtime runtime;
  RecordingEvents events;
  runtime.ShowForm(vestora::app::MainWindowDescription(), events);
  CHECK(PumpUntil([&] { return events.ticked.size() >= 2; }));
  if (!events.ticked.empty()) CHECK_EQ(events.ticked.front(), std::string("Form1.Timer1"));

  CHECK(runtime.IsLabelVisible("Form1", "Label2"));
  runtime.SetLabelVisible("Form1", "Label2", false);
  CHECK(!runtime.IsLabelVisible("Form1", "Label2"));
  CHECK(!IsWindowVisible(runtime.Control("Form1", "Label2")));
  runtime.SetLabelVisible("Form1", "Label2", true);
  CHECK(runtime.IsLabelVisible("Form1", "Label2"));

  bool failed = false;
  try {
    runtime.SetLabelVisible("Form1", "Label9", true);
  } catch (const vestora::forms::Failure&) {
    failed = true;
  }
  CHECK_MSG(failed, "an unknown label is a failure");

  SendMessageW(runtime.Window("Form1"), WM_CLOSE, 0, 0);
  CHECK_EQ(events.closed.size(), std::size_t{1});
  const std::size_t ticks = events.ticked.size();
  PumpUntil([] { return false; }, 700);
  CHECK_EQ(events.ticked.size(), ticks);
}

void NoticeBoxIsModalForTheProgram() {
  Win32Runtime runtime;
  vestora::app::Application program(runtime);
  CHECK(program.Start());
  HWND main = runtime.Window(vestora::app::kMainWindow);
  {
    BoxWatch watch(main);
    program.Pressed(vestora::app::kMainWindow, vestora::app::kNoticeButton);
  }
  CHECK_EQ(seenBox.count, 1);
  CHECK(seenBox.title == Wide(vestora::app::kNoticeTitle));
  CHECK(seenBox.text == Wide(vestora::app::kNoticePrompt));
  CHECK_MSG(seenBox.otherWindowsDisabled, "the main window waits for the box");
  CHECK(IsWindowEnabled(main));
}

// A bitmap's pixels at 32 bits a pixel, top-down, without the alpha byte; empty when it has none.
std::vector<std::uint32_t> RgbPixels(HBITMAP bitmap, SIZE& size) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return {};
  size = {info.bmWidth, info.bmHeight};
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = info.bmWidth;
  format.bmiHeader.biHeight = -info.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
  HDC dc = CreateCompatibleDC(nullptr);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format,
            DIB_RGB_COLORS);
  DeleteDC(dc);
  for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

// Every embedded picture decodes to the very pixels of the system's own picture loader
// (OleLoadPicture), JPEG and GIF alike: the backend decodes with the imaging component itself,
// from the bytes where they lie.
void PicturesDecodeAsTheSystemsLoader() {
  std::vector<std::string> files;
  for (const vestora::Category& category : vestora::Catalog()) {
    for (const vestora::ItemCell& cell : category.cells) {
      const std::string file = vestora::PictureFileName(category, cell);
      if (std::ranges::find(files, file) == files.end()) files.push_back(file);
    }
  }
  CHECK(std::ranges::any_of(files, [](const std::string& f) { return f.ends_with(".gif"); }));
  for (const std::string& file : files) {
    const std::span<const std::byte> encoded = vestora::win32::EmbeddedFile(file);
    const vestora::win32::DecodedPicture decoded = vestora::win32::DecodePicture(encoded);
    SIZE ours{};
    const std::vector<std::uint32_t> ourPixels = RgbPixels(decoded.Bitmap(), ours);

    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, encoded.size());
    std::memcpy(GlobalLock(memory), encoded.data(), encoded.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(memory, TRUE, &stream);
    IPicture* picture = nullptr;
    OLE_HANDLE handle = 0;
    SIZE theirs{};
    std::vector<std::uint32_t> theirPixels;
    if (stream != nullptr &&
        SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(encoded.size()), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture))) &&
        SUCCEEDED(picture->get_Handle(&handle))) {
      theirPixels = RgbPixels(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), theirs);
    }
    if (picture != nullptr) picture->Release();
    if (stream != nullptr) stream->Release();

    CHECK_MSG(!ourPixels.empty() && ours.cx == theirs.cx && ours.cy == theirs.cy, file);
    CHECK_MSG(ourPixels == theirPixels, file + ": pixels differ from the system's loader");

    // Kept between paints packed: unpacked, the very same bytes; cut short or run long, refused.
    const std::span<const std::uint8_t> pixels = decoded.Pixels();
    const std::vector<std::uint8_t> packed = vestora::win32::PackPixels(pixels);
    std::vector<std::uint8_t> unpacked(pixels.size());
    CHECK_MSG(vestora::win32::UnpackPixels(packed, unpacked), file + ": unpacked");
    CHECK_MSG(std::ranges::equal(unpacked, pixels), file + ": unpacked pixels differ");
    // A part at a time, parts that end inside runs among them, the same.
    vestora::win32::Unpacker unpacker(packed);
    std::vector<std::uint8_t> parts;
    std::vector<std::uint8_t> part;
    for (std::size_t left = pixels.size(); left > 0; left -= part.size()) {
      part.assign(std::min<std::size_t>(left, 4 * 37), 0);
      if (!CHECK_MSG(unpacker.Next(part), file + ": a part unpacked")) break;
      parts.insert(parts.end(), part.begin(), part.end());
    }
    CHECK_MSG(unpacker.Done() && std::ranges::equal(parts, pixels), file + ": in parts");
    CHECK_MSG(!vestora::win32::UnpackPixels(std::span(packed).first(packed.size() - 1), unpacked),
              file + ": cut short");
    std::vector<std::uint8_t> longer = packed;
    longer.push_back(0xC0);
    CHECK_MSG(!vestora::win32::UnpackPixels(longer, unpacked), file + ": run long");
  }
}

void FailurePathTellsTheUserAndGoesOn() {
  Win32Runtime runtime;
  RecordingEvents events;
  vestora::forms::FormDescription broken =
      vestora::app::DescribeCategoryWindow(vestora::Catalog()[0]);
  broken.controls[0].picture = "Form99-Picture1.gif";
  std::string reason;
  try {
    runtime.ShowForm(broken, events);
  } catch (const vestora::forms::Failure& failure) {
    reason = failure.what();
  }
  CHECK_EQ(reason, std::string("程序中没有图片“Form99-Picture1.gif”"));
  CHECK(runtime.Window(broken.name) == nullptr);
  CHECK(events.closed.empty());
  CHECK_EQ(vestora::win32::LivePictureBoxes(), 0);

  // Bytes that are no picture are no picture: the decoder says so instead of showing garbage.
  const std::string garbage = "GIF89a this is not a picture at all";
  CHECK(vestora::win32::DecodePicture(std::as_bytes(std::span(garbage))).IsNull());
  CHECK(
      !vestora::win32::DecodePicture(vestora::win32::EmbeddedFile("Form3-Picture1.gif")).IsNull());

  {
    BoxWatch watch;
    runtime.ReportUnhandledFailure("打开窗口", reason);
  }
  CHECK_EQ(seenBox.count, 1);
  CHECK(seenBox.title == L"Vestora");
  CHECK(seenBox.text ==
        Wide("操作未能完成：打开窗口。\n\n原因：" + reason + "\n\n程序会继续运行。"));

  // The same window opens fine afterwards.
  runtime.ShowForm(vestora::app::DescribeCategoryWindow(vestora::Catalog()[0]), events);
  CHECK(runtime.Window(broken.name) != nullptr);
}

// The program ends when its last window closes, whichever closes last.
void ProgramEndsWithItsLastWindow() {
  for (const bool mainFirst : {true, false}) {
    Win32Runtime runtime;
    vestora::app::Application program(runtime);
    CHECK(program.Start());
    program.Pressed(vestora::app::kMainWindow, "Command1");
    HWND main = runtime.Window(vestora::app::kMainWindow);
    HWND other = runtime.Window(vestora::Catalog()[0].windowName);
    if (!CHECK(main != nullptr && other != nullptr)) return;
    HWND first = mainFirst ? main : other;
    HWND last = mainFirst ? other : main;
    SendMessageW(first, WM_CLOSE, 0, 0);
    MSG quit;
    CHECK_MSG(!PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE),
              "the program goes on while a window is open");
    CHECK(program.Registry().AnyOpen());
    PostMessageW(last, WM_CLOSE, 0, 0);
    CHECK_EQ(runtime.Run(), 0);
    CHECK(!program.Registry().AnyOpen());
  }
}

// --- Starting programs: the recording stand-in, found where the real programs would be.

std::wstring Folder(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring ThisProgram() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path;
}

// Puts the stand-in at a path; the file there before is removed first, never written through.
bool PlantRecorder(const std::wstring& path) {
  const std::wstring recorder = Folder(ThisProgram()) + L"\\recorder.exe";
  DeleteFileW(path.c_str());
  CreateDirectoryW(Folder(path).c_str(), nullptr);
  return CopyFileW(recorder.c_str(), path.c_str(), FALSE) != FALSE;
}

// Removes a file once no running program holds it: a stand-in that has just written its line may
// still be ending. False when the file is still there after the deadline.
bool RemoveWhenFree(const std::wstring& path) {
  return PumpUntil(
      [&] { return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; });
}

std::vector<std::string> RecordedLines(const std::wstring& record) {
  std::vector<std::string> lines;
  HANDLE file = CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string content;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    content.append(buffer, read);
  CloseHandle(file);
  std::istringstream stream(content);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

struct Recorded {
  std::string commandLine;
  int flags = -1;
  int show = -1;
  std::string firstArgument;
};

// A line of the stand-in's record: command line, flags, show style and first argument, split at
// tabs (none of the command lines here holds one).
Recorded Parse(const std::string& line) {
  Recorded recorded;
  std::vector<std::string> fields;
  std::istringstream stream(line);
  for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
  if (fields.size() < 3) return recorded;
  recorded.commandLine = fields[0];
  recorded.flags = std::stoi(fields[1]);
  recorded.show = std::stoi(fields[2]);
  if (fields.size() > 3) recorded.firstArgument = fields[3];
  return recorded;
}

void StartProgramPassesTheExactCommandLine() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring record = std::wstring(temp) + L"vestora-record.tsv";
  DeleteFileW(record.c_str());
  SetEnvironmentVariableW(L"VESTORA_RECORD_FILE", record.c_str());

  const std::wstring browser = Wide(vestora::kBrowserProgram);
  const std::wstring shellBesideUs = Folder(ThisProgram()) + L"\\explorer.exe";
  const std::wstring planted = L"C:\\Program.exe";
  CHECK(PlantRecorder(shellBesideUs));
  CHECK(PlantRecorder(browser));
  // A program at C:\Program.exe must not be what an unquoted browser path starts.
  CHECK(PlantRecorder(planted));

  // One cell of each kind of link; the program as the started program must see it at the start
  // of its command line (a path with spaces in quotation marks, so that it reads as one), and
  // whether the address is in quotation marks in the line.
  struct Kind {
    vestora::LinkKind kind;
    std::string_view program;
    std::string_view seenProgram;
    bool addressQuoted;
  };
  constexpr Kind kinds[] = {
      {vestora::LinkKind::ItemPageLink, vestora::kShellProgram, "explorer.exe", true},
      {vestora::LinkKind::FriendItemsLink, vestora::kShellProgram, "explorer.exe", true},
      {vestora::LinkKind::OutfitPageLink, vestora::kBrowserProgram,
       R"("C:\Program Files\Internet Explorer\IEXPLORE.EXE")", false},
  };
  std::vector<const vestora::ItemLink*> links;
  for (const Kind& kind : kinds) {
    const vestora::ItemLink* found = nullptr;
    for (const vestora::Category& category : vestora::Catalog()) {
      for (const vestora::ItemCell& cell : category.cells) {
        if (found == nullptr && cell.link.kind == kind.kind) found = &cell.link;
      }
    }
    if (found != nullptr) links.push_back(found);
  }
  if (!CHECK_EQ(links.size(), std::size(kinds))) return;

  Win32Runtime runtime;
  for (std::size_t i = 0; i < links.size(); ++i) {
    const Kind& kind = kinds[i];
    const std::string line = vestora::BuildCommandLine(*links[i]);
    // The address is what follows the program and one space, without its quotation marks.
    const std::string prefix = std::string(kind.program) + (kind.addressQuoted ? " \"" : " ");
    if (!CHECK_MSG(line.starts_with(prefix), line)) continue;
    std::string address = line.substr(prefix.size());
    if (kind.addressQuoted && CHECK_MSG(address.ends_with('"'), line)) address.pop_back();
    CHECK_MSG(address.starts_with("http://") && address.find_first_of(" \t\"") == std::string::npos,
              address);

    const vestora::forms::LaunchStyle style = vestora::app::StyleFor(links[i]->kind);
    const vestora::forms::TaskNumber task = runtime.StartProgram(line, style);
    CHECK(task > 0);
    CHECK(PumpUntil([&] { return RecordedLines(record).size() > i; }));
    const std::vector<std::string> lines = RecordedLines(record);
    if (!CHECK_MSG(lines.size() == i + 1, line)) break;
    const Recorded got = Parse(lines[i]);
    CHECK_EQ(got.commandLine, std::string(kind.seenProgram) + " " +
                                  (kind.addressQuoted ? "\"" + address + "\"" : address));
    CHECK_EQ(got.firstArgument, address);
    CHECK_EQ(got.flags & STARTF_USESHOWWINDOW, STARTF_USESHOWWINDOW);
    CHECK_EQ(got.show,
             style == vestora::forms::LaunchStyle::NormalFocus ? SW_SHOWNORMAL : SW_SHOWMINIMIZED);
  }
  CHECK(vestora::win32::ProgramFileOf("explorer.exe \"http://x/\"") == shellBesideUs);
  CHECK(vestora::win32::ProgramFileOf(std::string(vestora::kBrowserProgram) + " http://x/") ==
        browser);

  // A program that is nowhere is a failure with the system's reason; the next start works.
  std::string reason;
  try {
    runtime.StartProgram("vestora-no-such-program.exe \"http://x/\"",
                         vestora::forms::LaunchStyle::NormalFocus);
  } catch (const vestora::forms::Failure& failure) {
    reason = failure.what();
  }
  CHECK_MSG(reason.starts_with("无法启动程序“vestora-no-such-program.exe”："), reason);
  CHECK(RemoveWhenFree(shellBesideUs));
  CHECK(RemoveWhenFree(planted));
  const std::size_t before = RecordedLines(record).size();
  runtime.StartProgram(vestora::BuildCommandLine(*links[2]),
                       vestora::app::StyleFor(links[2]->kind));
  CHECK(PumpUntil([&] { return RecordedLines(record).size() > before; }));
  DeleteFileW(record.c_str());

  // A press whose browser is missing: the user is told, and the program goes on.
  CHECK(RemoveWhenFree(browser));
  vestora::app::Application program(runtime);
  CHECK(program.Start());
  for (const vestora::Category& category : vestora::Catalog()) {
    for (const vestora::ItemCell& cell : category.cells) {
      if (&cell.link != links[2]) continue;
      program.Pressed(vestora::app::kMainWindow, category.mainButton);
      BoxWatch watch;
      program.Pressed(category.windowName, vestora::CommandName(cell.button));
    }
  }
  CHECK_EQ(seenBox.count, 1);
  CHECK_MSG(
      Utf8(seenBox.text)
          .starts_with("操作未能完成：启动浏览器。\n\n原因：无法启动程序“" + Utf8(browser) + "”："),
      Utf8(seenBox.text));
  CHECK(program.Registry().AnyOpen());
}

// --- What screen readers read, through Microsoft Active Accessibility: each control's name, and
// the roles of the program's own window classes. Wine's oleacc has no class-specific proxies, so
// under Wine the standard buttons and texts are "client" objects; on Windows they have their own
// roles.

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

struct Read {
  bool found = false;
  std::wstring name;
  LONG role = -1;
  LONG children = -1;
};

// What a reader gets for the window's client area.
Read ReadAccessible(HWND window) {
  Read read;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))) ||
      object == nullptr) {
    return read;
  }
  read.found = true;
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name != nullptr) {
    read.name.assign(name, SysStringLen(name));
  }
  SysFreeString(name);
  VARIANT role;
  VariantInit(&role);
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) read.role = role.lVal;
  VariantClear(&role);
  object->get_accChildCount(&read.children);
  object->Release();
  return read;
}

// The role Windows' own proxy gives a standard control; Wine gives every such window "client".
LONG StandardRole(LONG windowsRole) {
  return UnderWine() ? ROLE_SYSTEM_CLIENT : windowsRole;
}

void ReadersGetEveryControlsNameAndRole() {
  Win32Runtime runtime;
  vestora::app::Application program(runtime);
  CHECK(program.Start());
  std::vector<vestora::forms::FormDescription> forms = {vestora::app::MainWindowDescription()};
  for (const vestora::Category& category : vestora::Catalog()) {
    forms.push_back(vestora::app::DescribeCategoryWindow(category));
  }
  for (const vestora::forms::FormDescription& form : forms) {
    if (form.name != vestora::app::kMainWindow) program.OpenWindow(form.name);
    HWND window = runtime.Window(form.name);
    if (!CHECK_MSG(window != nullptr, std::string(form.name))) continue;
    const Read top = ReadAccessible(window);
    CHECK_MSG(top.found && top.name == Wide(form.caption), std::string(form.name));
    CHECK_MSG(vestora::testing::EndingRoleWord(Utf8(top.name)).empty(), std::string(form.name));
    for (const vestora::forms::ControlDescription& control : form.controls) {
      const std::string where = std::string(form.name) + "." + std::string(control.name);
      const Read read = ReadAccessible(runtime.Control(form.name, control.name));
      if (!CHECK_MSG(read.found, where)) continue;
      using Kind = vestora::forms::ControlKind;
      // Frames and labels are named by their text; picture boxes by their place; buttons by
      // their caption, and the cells' buttons by their place too.
      const std::string_view name =
          control.kind == Kind::PictureBox || control.kind == Kind::PushButton
              ? std::string_view(control.accessibleName)
              : control.text;
      CHECK_MSG(read.name == Wide(name), where + " is named '" + Utf8(read.name) + "'");
      // Readers say the role after the name: a role word in the name is heard twice.
      CHECK_MSG(vestora::testing::EndingRoleWord(Utf8(read.name)).empty(),
                where + " is named '" + Utf8(read.name) + "'");
      LONG role = 0;
      switch (control.kind) {
        case Kind::Frame:
          role = ROLE_SYSTEM_GROUPING;
          break;
        case Kind::PictureBox:
          role = ROLE_SYSTEM_GRAPHIC;
          break;
        case Kind::Label:
          role = StandardRole(ROLE_SYSTEM_STATICTEXT);
          break;
        case Kind::PushButton:
          role = StandardRole(ROLE_SYSTEM_PUSHBUTTON);
          break;
      }
      CHECK_MSG(read.role == role, where + " has role " + std::to_string(read.role));
      // A frame's buttons are its children still: the standard object answers for them.
      if (control.kind == Kind::Frame) {
        const auto inside = std::ranges::count(form.controls, control.name,
                                               &vestora::forms::ControlDescription::parent);
        CHECK_MSG(read.children == static_cast<LONG>(inside), where);
      }
    }
    if (form.name != vestora::app::kMainWindow) SendMessageW(window, WM_CLOSE, 0, 0);
  }
}

// The slogan blinks, unless the desktop says animations are off: then it is shown and holds
// still. The setting is faked at the seam; the windows and the timer are the real ones.
void SloganHoldsStillWhereAnimationsAreOff() {
  for (const bool off : {false, true}) {
    const std::string row = off ? "animations off" : "animations on";
    Win32Runtime backend;
    vestora::forms::MotionOverride runtime(backend, off);
    vestora::app::Application program(runtime);
    CHECK(program.Start());
    HWND slogan = backend.Control(vestora::app::kMainWindow, vestora::app::kSlogan);
    if (!CHECK(slogan != nullptr)) return;
    bool everHidden = false;
    CHECK_MSG(PumpUntil([&] {
                everHidden = everHidden || !IsWindowVisible(slogan);
                return runtime.labelQuestions >= 6;
              }),
              row + ": the timer ticks");
    CHECK_MSG(everHidden != off, row);
    CHECK_MSG((runtime.hides == 0) == off, row + ": " + std::to_string(runtime.hides) + " hides");
    if (off) CHECK_MSG(IsWindowVisible(slogan), row);
  }
}

constexpr vestora::test::Test kTests[] = {
    {"main window matches its description", MainWindowMatchesItsDescription},
    {"every category window matches its description", EveryCategoryWindowMatchesItsDescription},
    {"Tab walks the focus order", TabWalksTheFocusOrder},
    {"timer ticks while its window is open", TimerTicksWhileItsWindowIsOpen},
    {"notice box is modal for the program", NoticeBoxIsModalForTheProgram},
    {"failure path tells the user and goes on", FailurePathTellsTheUserAndGoesOn},
    {"pictures decode as the system's loader decodes them", PicturesDecodeAsTheSystemsLoader},
    {"program ends with its last window", ProgramEndsWithItsLastWindow},
    {"StartProgram passes the exact command line", StartProgramPassesTheExactCommandLine},
    {"readers get every control's name and role", ReadersGetEveryControlsNameAndRole},
    {"slogan holds still where animations are off", SloganHoldsStillWhereAnimationsAreOff},
};

}  // namespace

int main() {
  OleInitialize(nullptr);
  dpi = vestora::win32::SystemDpi();
  std::printf("at %u dpi\n", dpi);
  if (!vestora::win32::PrepareApplication())
    std::printf("the embedded fonts could not be registered\n");
  const int status = vestora::test::RunTests(kTests);
  OleUninitialize();
  return status;
}
