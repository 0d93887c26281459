// Vestora on Windows: a catalog of avatar outfits and scene backgrounds. It takes no arguments
// and reads no file or setting; the whole catalog and its pictures are built in.
#include <objbase.h>

#include "app/application.h"
#include "forms/win32/win32_runtime.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The picture decoder is a COM object of the system's.
  const bool com = SUCCEEDED(OleInitialize(nullptr));
  vestora::win32::PrepareApplication();
  int status = 0;
  {
    vestora::win32::Win32Runtime runtime;
    vestora::app::Application program(runtime);
    status = program.Run();
  }
  if (com) OleUninitialize();
  return status;
}
