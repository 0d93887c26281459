// Measures the Win32 backend from inside its process, for bench/run-windows. One mode a run:
//
//   bench_windows_probe.exe memory          the main window, then every category window, opened one
//                                           after the other; after each, one line of what the
//                                           process holds (private bytes, working set, GDI and
//                                           USER objects, windows, distinct fonts), then it waits
//                                           for a line on its input: Wine answers 0 for the
//                                           private bytes and the GDI and USER objects, so the
//                                           caller reads Linux's figures of the process meanwhile
//   bench_windows_probe.exe paint ROUNDS [KEPT]
//                                           the time to paint a twelve-picture window (Form10)
//                                           whole, ROUNDS times; with KEPT, the pictures kept
//                                           between paints take at most KEPT KiB (the program's
//                                           budget otherwise; 0 keeps none)
//   bench_windows_probe.exe bare ROUNDS     the same for a bare window of the same client size,
//                                           which only fills its background
//   bench_windows_probe.exe switch ROUNDS [KEPT]
//                                           Form10 and Form15 open side by side, painted in turn:
//                                           each paint follows one of the other window
//   bench_windows_probe.exe decode ROUNDS   Form10's twelve pictures decoded, not drawn
//   bench_windows_probe.exe open ROUNDS     Form10 opened, painted whole and closed
//
// Lines are tab-separated, for the script to read.
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/category_window.h"
#include "app/main_window.h"
#include "catalog/catalog.h"
#include "forms/win32/dpi.h"
#include "forms/win32/pictures.h"
#include "forms/win32/resources.h"
#include "forms/win32/win32_runtime.h"

namespace {

class NoEvents final : public vestora::forms::FormEvents {
 public:
  void Pressed(std::string_view, std::string_view) noexcept override {}
  void Ticked(std::string_view, std::string_view) noexcept override {}
  void Closed(std::string_view) noexcept override {}
};

// Handles what is waiting, so that the windows are shown and painted as a user would see them.
void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / frequency;
}

// The window painted whole, now: every child too.
double PaintWhole(HWND window) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  QueryPerformanceCounter(&end);
  return Microseconds(start, end);
}

// One line per round: its time in microseconds.
void PrintTimes(const std::vector<double>& times) {
  for (double time : times) std::printf("%.0f\n", time);
}

struct WindowCount {
  int windows = 0;
  std::vector<HFONT> fonts;  // the distinct fonts the controls draw with
};

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  auto& counted = *reinterpret_cast<WindowCount*>(count);
  ++counted.windows;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (font != nullptr && std::ranges::find(counted.fonts, font) == counted.fonts.end()) {
    counted.fonts.push_back(font);
  }
  return TRUE;
}

BOOL CALLBACK CountTopWindow(HWND window, LPARAM count) {
  CountWindow(window, count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

void PrintMemory(const char* after, int windows) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  WindowCount count;
  EnumThreadWindows(GetCurrentThreadId(), CountTopWindow, reinterpret_cast<LPARAM>(&count));
  const auto kib = [](SIZE_T bytes) { return static_cast<unsigned long long>(bytes / 1024); };
  std::printf("%s\t%d\t%llu\t%llu\t%llu\t%lu\t%lu\t%d\t%zu\n", after, windows,
              kib(counters.PrivateUsage), kib(counters.WorkingSetSize),
              kib(counters.PeakWorkingSetSize), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
              GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), count.windows,
              count.fonts.size());
  // The caller reads what Linux says of the process now, then answers with a line.
  std::fflush(stdout);
  char answer[16];
  if (std::fgets(answer, sizeof answer, stdin) == nullptr) return;
}

int Memory() {
  vestora::win32::Win32Runtime runtime;
  NoEvents events;
  std::printf(
      "after\twindows\tprivate KiB\tworking set KiB\tpeak working set KiB\tGDI objects\tUSER "
      "objects\twindows and controls\tfonts\n");
  PrintMemory("start", 0);
  runtime.ShowForm(vestora::app::MainWindowDescription(), events);
  Pump();
  PrintMemory("Main", 1);
  int windows = 1;
  for (const vestora::Category& category : vestora::Catalog()) {
    runtime.ShowForm(vestora::app::DescribeCategoryWindow(category), events);
    Pump();
    PrintMemory(std::string(category.windowName).c_str(), ++windows);
  }
  std::fflush(stdout);
  return 0;
}

// The category window of that form, shown.
HWND ShowCategoryWindow(vestora::win32::Win32Runtime& runtime, vestora::forms::FormEvents& events,
                        std::string_view form) {
  runtime.ShowForm(vestora::app::DescribeCategoryWindow(*vestora::CategoryByWindow(form)), events);
  return runtime.Window(form);
}

int PaintForm(int rounds) {
  vestora::win32::Win32Runtime runtime;
  NoEvents events;
  HWND window = ShowCategoryWindow(runtime, events, "Form10");
  Pump();
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    times.push_back(PaintWhole(window));
    Pump();
  }
  PrintTimes(times);
  return 0;
}

// Form10 opened and painted whole, then closed, ROUNDS times: what a press of its button in the
// main window costs, the pictures' loading included.
int OpenForm(int rounds) {
  vestora::win32::Win32Runtime runtime;
  NoEvents events;
  const vestora::forms::FormDescription form =
      vestora::app::DescribeCategoryWindow(*vestora::CategoryByWindow("Form10"));
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    runtime.ShowForm(form, events);
    HWND window = runtime.Window("Form10");
    RedrawWindow(window, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    QueryPerformanceCounter(&end);
    times.push_back(Microseconds(start, end));
    DestroyWindow(window);
    Pump();
  }
  PrintTimes(times);
  return 0;
}

// Form10 and another window of twelve pictures painted in turn: what a user sees who brings one
// window and then the other to the front. Only Form10's paints are timed.
int PaintSwitching(int rounds) {
  vestora::win32::Win32Runtime runtime;
  NoEvents events;
  HWND window = ShowCategoryWindow(runtime, events, "Form10");
  HWND other = ShowCategoryWindow(runtime, events, "Form15");
  Pump();
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    PaintWhole(other);
    Pump();
    times.push_back(PaintWhole(window));
    Pump();
  }
  PrintTimes(times);
  return 0;
}

// Form10's twelve pictures decoded, without drawing them: the part of a paint that decodes.
int DecodeForm(int rounds) {
  const vestora::Category& category = *vestora::CategoryByWindow("Form10");
  std::vector<std::span<const std::byte>> pictures;
  for (const vestora::ItemCell& cell : category.cells) {
    pictures.push_back(vestora::win32::EmbeddedFile(vestora::PictureFileName(category, cell)));
  }
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (std::span<const std::byte> picture : pictures) {
      if (vestora::win32::DecodePicture(picture).IsNull()) return 1;
    }
    QueryPerformanceCounter(&end);
    times.push_back(Microseconds(start, end));
  }
  PrintTimes(times);
  return 0;
}

LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A window of Form10's client size that only fills its background.
int PaintBare(int rounds) {
  const vestora::Category& category = *vestora::CategoryByWindow("Form10");
  const UINT dpi = vestora::win32::SystemDpi();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = BareProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"VestoraBareWindow";
  RegisterClassExW(&windowClass);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, vestora::win32::ToPixels(category.clientWidth, dpi),
             vestora::win32::ToPixels(category.clientHeight, dpi)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Bare", style | WS_VISIBLE, 0, 0,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  Pump();
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    times.push_back(PaintWhole(window));
    Pump();
  }
  PrintTimes(times);
  DestroyWindow(window);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 50;
  if (argc > 3)
    vestora::win32::SetKeptPicturesBudget(static_cast<std::size_t>(_wtoi(argv[3])) * 1024);
  const bool com = SUCCEEDED(OleInitialize(nullptr));
  vestora::win32::PrepareApplication();
  int status = 2;
  if (mode == L"memory") status = Memory();
  if (mode == L"paint") status = PaintForm(rounds);
  if (mode == L"switch") status = PaintSwitching(rounds);
  if (mode == L"bare") status = PaintBare(rounds);
  if (mode == L"decode") status = DecodeForm(rounds);
  if (mode == L"open") status = OpenForm(rounds);
  std::fflush(stdout);
  if (com) OleUninitialize();
  return status;
}
