// High contrast: while the user has it on (SPI_GETHIGHCONTRAST), every colour a window's
// description chooses gives way to the system's: backgrounds to the window colour (COLOR_WINDOW),
// texts to the window text colour (COLOR_WINDOWTEXT), the slogan's as well: the one colour the
// theme promises to stand out on the window colour. With it off, the described colours show as
// they are.
#pragma once

#include "forms/win32/windows_api.h"

namespace vestora::win32 {

// Whether high contrast is on, as last read: read at the first question, and again as the system
// announces a change (FollowContrastChange).
bool HighContrastOn();

// A background the description chose, as it shows now.
COLORREF ShownBackground(COLORREF described);
// A text colour the description chose, as it shows now.
COLORREF ShownText(COLORREF described);

// For a top-level window's messages: whether the message may have changed what high contrast
// shows (the setting changed, the system's colours or its theme did), the setting read anew. The
// window is then to be drawn anew, with all its controls.
bool FollowContrastChange(UINT message, WPARAM wParam);

}  // namespace vestora::win32
