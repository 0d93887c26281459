// The window classes of this program, and the state of a window of one of them: handed to
// CreateWindowExW, owned by the window from WM_NCCREATE on, and freed with it at WM_NCDESTROY.
#pragma once

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

template <typename State>
State* StateOf(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Called first in the window procedure, for every message: the window's state, or null before
// WM_NCCREATE and from WM_NCDESTROY on.
template <typename State>
State* OwnState(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_NCDESTROY) {
    delete StateOf<State>(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return nullptr;
  }
  return StateOf<State>(window);
}

}  // namespace vestora::win32
