// Whether the desktop asks for still screens: Windows' client-area animations setting
// (SPI_GETCLIENTAREAANIMATION), which the user turns off under "Show animations in Windows".
#pragma once

namespace vestora::win32 {

// Whether the system's settings turned client-area animations off. False where it cannot say.
bool ClientAreaAnimationsOff();

}  // namespace vestora::win32
