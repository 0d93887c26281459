// A small harness for the Windows tests that run under Wine: each check that fails is printed with
// its place and the test goes on after it; the thread's messages are dispatched as the program's
// loop does; a table of named tests runs in order and the exit status says whether all passed.
#pragma once

#include <cstdio>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "forms/runtime.h"
#include "forms/win32/win32_runtime.h"
#include "forms/win32/windows_api.h"

// Rectangles compared and printed in checks, as (left,top widthxheight).
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top
             << ")";
}
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace vestora::test {

inline int failedChecks = 0;

inline bool Check(bool passed, const std::string& what, const char* file, int line) {
  if (!passed) {
    ++failedChecks;
    std::printf("    %s:%d: %s\n", file, line, what.c_str());
  }
  return passed;
}

template <typename A, typename B>
bool CheckEqual(const A& actual, const B& expected, const char* text, const char* file, int line) {
  if (actual == expected) return true;
  std::ostringstream what;
  what << text << ": got " << actual << ", expected " << expected;
  return Check(false, what.str(), file, line);
}

#define CHECK(condition) ::vestora::test::Check((condition), #condition, __FILE__, __LINE__)
#define CHECK_MSG(condition, message)                                                         \
  ::vestora::test::Check((condition), std::string(#condition) + " -- " + (message), __FILE__, \
                         __LINE__)
#define CHECK_EQ(actual, expected) \
  ::vestora::test::CheckEqual((actual), (expected), #actual, __FILE__, __LINE__)

// Dispatches the thread's messages until the condition holds or a generous deadline passes. False
// when the deadline passed first.
inline bool PumpUntil(const std::function<bool()>& done, DWORD deadlineMs = 10'000) {
  const ULONGLONG deadline = GetTickCount64() + deadlineMs;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      if (win32::HandleDialogKeys(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

inline void Pump() {
  PumpUntil([] { return false; }, 50);
}

// Notes every event a form reports, as "form.control".
struct RecordingEvents final : forms::FormEvents {
  std::vector<std::string> pressed, ticked, closed;
  void Pressed(std::string_view form, std::string_view control) noexcept override {
    pressed.push_back(std::string(form) + "." + std::string(control));
  }
  void Ticked(std::string_view form, std::string_view timer) noexcept override {
    ticked.push_back(std::string(form) + "." + std::string(timer));
  }
  void Closed(std::string_view form) noexcept override { closed.emplace_back(form); }
};

// A visible message box of the thread, handed back through found. A named CALLBACK function: a
// lambda would not have the 32-bit build's stdcall convention.
inline BOOL CALLBACK NoteMessageBox(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// The message box this thread shows now, or null.
inline HWND VisibleMessageBox() {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), NoteMessageBox, reinterpret_cast<LPARAM>(&box));
  return box;
}

// A window's text.
inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// --- Message boxes: a watch on the thread finds the box the code under test shows, notes it and
// dismisses it, as a user pressing OK would.

struct SeenBox {
  std::wstring title, text;
  bool otherWindowsDisabled = false;
  int count = 0;
};
inline SeenBox seenBox;
inline HWND watchedWindow = nullptr;

inline void CALLBACK DismissBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = VisibleMessageBox();
  if (box == nullptr) return;
  seenBox.title = TextOf(box);
  seenBox.text = TextOf(GetDlgItem(box, 0xFFFF));  // the message's static control
  seenBox.otherWindowsDisabled = watchedWindow != nullptr && !IsWindowEnabled(watchedWindow);
  ++seenBox.count;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

struct BoxWatch {
  UINT_PTR timer;
  explicit BoxWatch(HWND watched = nullptr) {
    seenBox = {};
    watchedWindow = watched;
    timer = SetTimer(nullptr, 0, 100, DismissBox);
  }
  ~BoxWatch() { KillTimer(nullptr, timer); }
  BoxWatch(const BoxWatch&) = delete;
  BoxWatch& operator=(const BoxWatch&) = delete;
};

struct Test {
  const char* name;
  void (*run)();
};

// Runs the tests in order; the exit status of the test program.
template <std::size_t N>
int RunTests(const Test (&tests)[N]) {
  int passed = 0;
  int failed = 0;
  for (const Test& test : tests) {
    const int before = failedChecks;
    std::printf("%s\n", test.name);
    std::fflush(stdout);
    test.run();
    const bool ok = failedChecks == before;
    std::printf("  %s\n", ok ? "PASS" : "FAIL");
    std::fflush(stdout);
    (ok ? passed : failed) += 1;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace vestora::test
