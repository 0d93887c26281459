// What screen readers are told about the program's own window classes through Microsoft Active
// Accessibility. Standard buttons and static texts get their roles from Windows itself; a frame
// is a grouping and a picture box a graphic, each named by its window text. The system's standard
// object for the window answers everything else.
#pragma once

#include <string>

#include "forms/win32/windows_api.h"

namespace vestora::win32 {

enum class AccessibleRole { Grouping, Graphic };

// The answer to WM_GETOBJECT: for the window's client area, an object with the role and the
// window's text as its name; 0, for DefWindowProc to answer, when another object is asked for or
// none can be made. The accessibility library is loaded when a reader first asks, not at start.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleRole role);

// Gives a standard control a name for readers other than its text (the cells' buttons all read
// "点我获取"; readers are told the category and place too). The control keeps its role and
// everything else from the system's standard object. The name goes with the window. False when
// it could not be given.
bool NameForReaders(HWND control, const std::wstring& name);

}  // namespace vestora::win32
