#include "forms/win32/motion_setting.h"

#include "forms/win32/windows_api.h"

namespace vestora::win32 {

// Asked on every tick of a blinking label: the call reads a value the system keeps in memory.
bool ClientAreaAnimationsOff() {
  BOOL animations = TRUE;
  return SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animations, 0) != FALSE &&
         animations == FALSE;
}

}  // namespace vestora::win32
