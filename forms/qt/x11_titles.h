// Window titles on X11 that read the same in every locale.
#pragma once

namespace vestora::qt {

// On X11 the toolkit writes a window's title twice: as UTF-8 in _NET_WM_NAME, and in WM_NAME
// converted to the text encoding of the program's locale. In a locale that cannot hold the
// catalog's Chinese titles (LANG=C, LC_ALL=POSIX, one that does not exist) WM_NAME became
// unreadable bytes, which window managers and tools that read WM_NAME show. From the call on, the
// WM_NAME of every window the program shows is its title as UTF8_STRING, in every locale, written
// before the window is mapped. Does nothing on another platform. Call once the application object
// exists.
void KeepX11TitlesInUtf8();

}  // namespace vestora::qt
