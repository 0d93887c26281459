// Whether the desktop asks for still screens, as the XDG desktop portal's settings say: reduced
// motion in the standard appearance settings, GNOME's "enable-animations" or KDE's animation
// speed of zero. Read without waiting: the answers arrive when the session bus brings them, and
// changes follow as the portal announces them. A desktop without the portal never says.
#pragma once

namespace vestora::qt {

// Asks the portal once the event loop runs, after the first window is built; later calls do
// nothing. Call after the application object exists.
void BeginReadingMotionSetting();

// True once the portal said animations are off, until it says otherwise.
bool DesktopAnimationsOff();

}  // namespace vestora::qt
