// The state of a window of one of this program's classes: handed to CreateWindowExW, owned by the
// window from WM_NCCREATE on, and freed with it at WM_NCDESTROY.
#pragma once

#include "forms/win32/windows_api.h"

namespace vestora::win32 {

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
