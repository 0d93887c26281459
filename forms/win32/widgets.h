// The two controls Windows does not have in the shape the program needs: a frame that draws its
// caption in its top border line, and a picture box that shows a picture unscaled from its
// top-left corner. Both are window classes of this program.
#pragma once

#include <string>

#include "forms/runtime.h"
#include "forms/win32/pictures.h"
#include "forms/win32/windows_api.h"

namespace vestora::win32 {

inline constexpr const wchar_t* kFrameClass = L"VestoraFrame";
inline constexpr const wchar_t* kPictureBoxClass = L"VestoraPictureBox";

// Registers both classes; call once before building a window.
void RegisterWidgetClasses();

struct FrameSetup {
  std::wstring caption;
  COLORREF foreground = 0;
  COLORREF background = 0;
};
// A frame at that place in its parent; controls inside it are its child windows. Its commands and
// colour requests go on to its parent, as if its controls were the parent's own.
HWND CreateFrame(const FrameSetup& setup, HWND parent, const RECT& place);
// The dpi of the frame's window, which sets how far in its caption starts; the frame starts with
// its parent's.
void SetFrameScale(HWND frame, UINT dpi);

struct PictureBoxSetup {
  Picture picture;
  COLORREF background = 0;
  std::wstring name;  // what a screen reader says of it
  UINT dpi = 96;      // dots per inch above 96 enlarge the picture with the layout
};
// A picture box at that place in its parent; it owns its picture.
HWND CreatePictureBox(PictureBoxSetup setup, HWND parent, const RECT& place);
// Shown anew when the dpi changes.
void SetPictureScale(HWND box, UINT dpi);
// The box's picture, for checks; null when the window is no picture box.
const Picture* PictureOf(HWND box);
// Picture boxes alive in the program, for leak checks.
int LivePictureBoxes();
// Whether the box shows the focus cue now.
bool ShowsFocusCue(HWND box);

// The message loop says when the keyboard (Tab, Shift+Tab) moves the focus, so that a picture
// box shows a cue then and not when a window gives its first control the focus.
void SetKeyboardMovingFocus(bool moving);

}  // namespace vestora::win32
