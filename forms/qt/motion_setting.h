// What the desktop asks of the program's looks, as the XDG desktop portal's settings say: still
// screens (reduced motion in the standard appearance settings, GNOME's "enable-animations" or
// KDE's animation speed of zero), higher contrast (the standard appearance settings' "contrast",
// or GNOME's own high-contrast switch where the portal has no such key) and the colour scheme it
// prefers. Read without waiting: the answers arrive when the session bus brings them, and changes
// follow as the portal announces them. A desktop without the portal never says.
#pragma once

namespace vestora::qt {

// Asks the portal once the event loop runs, after the first window is built; later calls do
// nothing. Call after the application object exists.
void BeginReadingMotionSetting();

// True once the portal said animations are off, until it says otherwise.
bool DesktopAnimationsOff();

// True once the portal said the user asks for higher contrast, until it says otherwise.
bool DesktopHighContrast();

// The colour scheme the desktop prefers, as the portal numbers them.
enum class DesktopScheme { NoPreference = 0, Dark = 1, Light = 2 };
DesktopScheme DesktopColorScheme();

// Called whenever the contrast setting or the colour scheme changes; one listener, set once.
void FollowContrastSetting(void (*changed)());

}  // namespace vestora::qt
