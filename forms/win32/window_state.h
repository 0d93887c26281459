// The window classes of this program, and the state of a window of one of them. The state records
// who owns it: its creator, until CreateWindowExW has returned the window; the window from then on,
// which frees it at WM_NCDESTROY. A creation that fails after WM_NCCREATE leaves the state to its
// creator, so that it is freed exactly once on every path.
#pragma once

#include <memory>

#include "forms/win32/windows_api.h"

namespace vestora::win32 {

// A class of this module's with the arrow cursor and no background of its own: its windows paint
// all of themselves.
inline void RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

// Whether the window is of the named class. Windows compares class names without regard to case,
// and so does this.
inline bool HasWindowClass(HWND window, const wchar_t* name) {
  wchar_t actual[64] = {};
  return window != nullptr && GetClassNameW(window, actual, 64) > 0 &&
         CompareStringOrdinal(actual, -1, name, -1, TRUE) == CSTR_EQUAL;
}

// The base of every window state.
struct WindowState {
  bool ownedByWindow = false;
};

// A window of one of this program's classes, handed its state: null when it could not be made,
// and then the state is freed here, once, whatever the window procedure saw before.
// GetLastError() says why it could not.
template <typename State>
HWND CreateWindowWithState(std::unique_ptr<State> state, DWORD extendedStyle,
                           const wchar_t* className, const wchar_t* text, DWORD style,
                           POINT position, SIZE size, HWND parent) {
  HWND window =
      CreateWindowExW(extendedStyle, className, text, style, position.x, position.y, size.cx,
                      size.cy, parent, nullptr, GetModuleHandleW(nullptr), state.get());
  if (window == nullptr) {
    const DWORD reason = GetLastError();
    state.reset();
    SetLastError(reason);
    return nullptr;
  }
  state->ownedByWindow = true;
  state.release();  // the window frees it at WM_NCDESTROY
  return window;
}

template <typename State>
State* StateOf(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Called first in the window procedure, for every message: the window's state, or null before
// WM_NCCREATE and from WM_NCDESTROY on. The state goes with the window only when the window owns
// it; a window whose creation failed leaves it to its creator.
template <typename State>
State* OwnState(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_NCDESTROY) {
    State* state = StateOf<State>(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (state != nullptr && state->ownedByWindow) delete state;
    return nullptr;
  }
  return StateOf<State>(window);
}

}  // namespace vestora::win32
