// A window that fails half-way: a failure at each step of making a form and its controls (the
// window's class, the window after it took its state, a frame, a control, a picture box, a picture,
// a font) ends the handler, shows the failure box once, and leaves the program going; a later
// request builds the window whole. Nothing is freed twice (every C++ allocation of this program is
// counted) and no window, font, bitmap or icon is left behind. The failures are injected from
// outside the backend: the program's own calls into the system are redirected through its import
// table. Runs under Wine on a private display (see wine-run.sh).
#include <objbase.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <set>
#include <string>
#include <unordered_set>

#include "app/application.h"
#include "app/category_window.h"
#include "app/failure_messages.h"
#include "app/main_window.h"
#include "catalog/catalog.h"
#include "forms/win32/form_builder.h"
#include "forms/win32/text.h"
#include "forms/win32/widgets.h"
#include "forms/win32/win32_runtime.h"
#include "tests/win32/harness.h"
#include "tests/win32/redirect_import.h"

// --- Every allocation through new and delete, counted: a pointer deleted that is not live was
// freed before (or never allocated). It is noted and left alone, so that the test reports it
// instead of corrupting the heap.

namespace {

template <typename T>
struct MallocAllocator {
  using value_type = T;
  MallocAllocator() = default;
  template <typename U>
  explicit MallocAllocator(const MallocAllocator<U>&) {}
  T* allocate(std::size_t n) {
    if (void* memory = std::malloc(n * sizeof(T))) return static_cast<T*>(memory);
    std::abort();
  }
  void deallocate(T* pointer, std::size_t) { std::free(pointer); }
  friend bool operator==(const MallocAllocator&, const MallocAllocator&) = default;
};

using LiveSet =
    std::unordered_set<void*, std::hash<void*>, std::equal_to<>, MallocAllocator<void*>>;

std::atomic_flag heapLock = ATOMIC_FLAG_INIT;
int badDeletes = 0;

struct HeapLock {
  HeapLock() {
    while (heapLock.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~HeapLock() { heapLock.clear(std::memory_order_release); }
};

// Never destroyed: deletes come until the very end of the program.
LiveSet& Live() {
  alignas(LiveSet) static unsigned char storage[sizeof(LiveSet)];
  static LiveSet* live = new (storage) LiveSet();
  return *live;
}

void* Allocate(std::size_t size) {
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) throw std::bad_alloc();
  const HeapLock lock;
  Live().insert(memory);
  return memory;
}

void Free(void* memory) noexcept {
  if (memory == nullptr) return;
  {
    const HeapLock lock;
    if (Live().erase(memory) == 0) {
      ++badDeletes;
      return;
    }
  }
  std::free(memory);
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* memory) noexcept {
  Free(memory);
}
void operator delete[](void* memory) noexcept {
  Free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  Free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  Free(memory);
}

namespace {

using vestora::test::BoxWatch;
using vestora::test::Redirect;
using vestora::test::seenBox;
using vestora::win32::Win32Runtime;

// The call that fails: the nth call (from 1) of a function, for windows only those of a class.
enum class Step { CreateWindow, CreateFont, DecodePicture };
enum class How {
  Refused,     // the system refuses before anything is made
  AfterState,  // the window is made and gone again, as when its creation fails after WM_NCCREATE
};
struct Fault {
  Step step;
  const wchar_t* windowClass = nullptr;
  int nth = 1;
  How how = How::Refused;
};

const Fault* armed = nullptr;
int calls = 0;
bool hit = false;

bool FailsNow(Step step, const wchar_t* windowClass = nullptr) {
  if (armed == nullptr || armed->step != step) return false;
  if (armed->windowClass != nullptr && (windowClass == nullptr || IS_INTRESOURCE(windowClass) ||
                                        lstrcmpiW(windowClass, armed->windowClass) != 0)) {
    return false;
  }
  if (++calls != armed->nth) return false;
  hit = true;
  return true;
}

// GDI objects and icons the program made and has not deleted yet.
std::set<HANDLE> liveObjects;

decltype(&CreateWindowExW) realCreateWindow = nullptr;
decltype(&CreateFontIndirectW) realCreateFont = nullptr;
decltype(&CreateDIBSection) realCreateBitmap = nullptr;
decltype(&DeleteObject) realDeleteObject = nullptr;
decltype(&LoadImageW) realLoadImage = nullptr;
decltype(&DestroyIcon) realDestroyIcon = nullptr;

HWND WINAPI CreateWindowHook(DWORD exStyle, LPCWSTR windowClass, LPCWSTR text, DWORD style, int x,
                             int y, int width, int height, HWND parent, HMENU menu,
                             HINSTANCE instance, LPVOID parameter) {
  if (!FailsNow(Step::CreateWindow, windowClass)) {
    return realCreateWindow(exStyle, windowClass, text, style, x, y, width, height, parent, menu,
                            instance, parameter);
  }
  if (armed->how == How::AfterState) {
    HWND window = realCreateWindow(exStyle, windowClass, text, style, x, y, width, height, parent,
                                   menu, instance, parameter);
    if (window != nullptr) DestroyWindow(window);
  }
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}

HFONT WINAPI CreateFontHook(const LOGFONTW* font) {
  if (FailsNow(Step::CreateFont)) return nullptr;
  HFONT made = realCreateFont(font);
  if (made != nullptr) liveObjects.insert(made);
  return made;
}

// The program makes a bitmap of its own only for a picture it decodes: failing it fails the
// decoding, as running out of memory there would.
HBITMAP WINAPI CreateBitmapHook(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                HANDLE section, DWORD offset) {
  if (FailsNow(Step::DecodePicture)) return nullptr;
  HBITMAP made = realCreateBitmap(dc, info, usage, bits, section, offset);
  if (made != nullptr) liveObjects.insert(made);
  return made;
}

BOOL WINAPI DeleteObjectHook(HGDIOBJ object) {
  liveObjects.erase(object);
  return realDeleteObject(object);
}

HANDLE WINAPI LoadImageHook(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height,
                            UINT flags) {
  HANDLE made = realLoadImage(instance, name, type, width, height, flags);
  if (made != nullptr && (flags & LR_SHARED) == 0) liveObjects.insert(made);
  return made;
}

BOOL WINAPI DestroyIconHook(HICON icon) {
  liveObjects.erase(icon);
  return realDestroyIcon(icon);
}

void RedirectTheProgramsCalls() {
  realCreateWindow = Redirect("user32.dll", "CreateWindowExW", &CreateWindowHook);
  realLoadImage = Redirect("user32.dll", "LoadImageW", &LoadImageHook);
  realDestroyIcon = Redirect("user32.dll", "DestroyIcon", &DestroyIconHook);
  realCreateFont = Redirect("gdi32.dll", "CreateFontIndirectW", &CreateFontHook);
  realCreateBitmap = Redirect("gdi32.dll", "CreateDIBSection", &CreateBitmapHook);
  realDeleteObject = Redirect("gdi32.dll", "DeleteObject", &DeleteObjectHook);
}

// --- What the program holds.

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

struct Held {
  int windows = 0;          // of this thread, with their children
  std::size_t objects = 0;  // fonts, bitmaps and icons made through the program's calls
  DWORD gdi = 0, user = 0;  // as the system counts them; 0 where it does not (Wine)
  friend bool operator==(const Held&, const Held&) = default;
};

std::string ToString(const Held& held) {
  return std::to_string(held.windows) + " windows, " + std::to_string(held.objects) +
         " objects, GDI " + std::to_string(held.gdi) + ", USER " + std::to_string(held.user);
}

Held HeldNow() {
  Held held;
  for (HWND window = GetTopWindow(nullptr); window != nullptr;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
      CountWindow(window, reinterpret_cast<LPARAM>(&held.windows));
    }
  }
  held.objects = liveObjects.size();
  held.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  held.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  return held;
}

// --- The test.

struct Row {
  const char* what;
  Fault fault;
  bool inCategoryWindow;  // else in the main window
};

const vestora::Category& kCategory = vestora::Catalog()[0];

// Every control the window's description names is there.
bool Whole(const Win32Runtime& runtime, const vestora::forms::FormDescription& form) {
  if (runtime.Window(form.name) == nullptr) return false;
  for (const vestora::forms::ControlDescription& control : form.controls) {
    if (runtime.Control(form.name, control.name) == nullptr) return false;
  }
  return true;
}

void RunRow(const Row& row) {
  const std::string name = row.what;
  std::printf("  %s\n", row.what);
  std::fflush(stdout);
  const vestora::forms::FormDescription form = row.inCategoryWindow
                                                   ? vestora::app::DescribeCategoryWindow(kCategory)
                                                   : vestora::app::MainWindowDescription();
  const std::string_view doing = row.inCategoryWindow ? vestora::app::kFailedOpeningWindow
                                                      : vestora::app::kFailedShowingMainWindow;
  const Held before = HeldNow();
  const int badDeletesBefore = badDeletes;
  {
    Win32Runtime runtime;
    vestora::app::Application program(runtime);
    // The request: the program's start, or a press on the category's button.
    const auto request = [&] {
      if (row.inCategoryWindow) {
        program.Pressed(vestora::app::kMainWindow, kCategory.mainButton);
      } else {
        program.Start();
      }
    };
    if (row.inCategoryWindow) CHECK_MSG(program.Start(), name);

    armed = &row.fault;
    calls = 0;
    hit = false;
    {
      const BoxWatch watch;
      request();
      CHECK_MSG(vestora::test::PumpUntil([] { return seenBox.count > 0; }), name + ": a box");
    }
    armed = nullptr;
    CHECK_MSG(hit, name + ": the failure was injected");
    CHECK_MSG(seenBox.count == 1, name + ": one failure box");
    CHECK_MSG(seenBox.text.find(vestora::win32::Wide(doing)) != std::wstring::npos,
              name + ": the box names what failed");
    CHECK_MSG(runtime.Window(form.name) == nullptr, name + ": no half-made window is left");
    CHECK_MSG(vestora::win32::LivePictureBoxes() == 0, name + ": no picture box is left");

    // The program goes on: the same request now builds the window whole.
    request();
    CHECK_MSG(Whole(runtime, form), name + ": the window is built whole afterwards");
  }
  CHECK_MSG(
      badDeletes == badDeletesBefore,
      name + ": " + std::to_string(badDeletes - badDeletesBefore) + " deletes of freed memory");
  CHECK_MSG(vestora::win32::LivePictureBoxes() == 0, name + ": picture boxes left");
  const Held after = HeldNow();
  CHECK_MSG(after == before, name + ": held " + ToString(after) + ", before " + ToString(before));
}

// clang-format off
const Row kRows[] = {
    {"the window's class is missing", {Step::CreateWindow, vestora::win32::kFormClass, 1, How::Refused}, false},
    {"the window fails after taking its state", {Step::CreateWindow, vestora::win32::kFormClass, 1, How::AfterState}, false},
    {"a frame fails after taking its state", {Step::CreateWindow, vestora::win32::kFrameClass, 2, How::AfterState}, false},
    {"a push button is refused", {Step::CreateWindow, L"Button", 3, How::Refused}, false},
    {"a font cannot be made", {Step::CreateFont, nullptr, 3, How::Refused}, false},
    {"a picture box fails after taking its state", {Step::CreateWindow, vestora::win32::kPictureBoxClass, 2, How::AfterState}, true},
    {"a picture cannot be decoded", {Step::DecodePicture, nullptr, 2, How::Refused}, true},
    {"a category window fails after taking its state", {Step::CreateWindow, vestora::win32::kFormClass, 1, How::AfterState}, true},
};
// clang-format on

void EveryStepFailsCleanly() {
  // The first window of each kind is made once beforehand, so that what the system keeps for
  // good (its classes' resources, the caches of faces) is not counted as left behind.
  {
    Win32Runtime runtime;
    vestora::app::Application program(runtime);
    program.Start();
    program.Pressed(vestora::app::kMainWindow, kCategory.mainButton);
    vestora::test::Pump();
  }
  for (const Row& row : kRows) RunRow(row);
}

constexpr vestora::test::Test kTests[] = {
    {"every step of making a window fails cleanly", EveryStepFailsCleanly},
};

// A crash ends the test at once, with the row it was in, instead of waiting for a debugger.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception) {
  std::printf("    crashed (exception %08lx)\n",
              static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main() {
  SetUnhandledExceptionFilter(ReportCrash);
  OleInitialize(nullptr);
  if (!vestora::win32::PrepareApplication()) {
    std::printf("the embedded fonts could not be registered\n");
  }
  RedirectTheProgramsCalls();
  const int status = vestora::test::RunTests(kTests);
  OleUninitialize();
  return status;
}
