# Cross build of the Windows program with MinGW-w64 for 32-bit x86, the program users get.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VESTORA_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
