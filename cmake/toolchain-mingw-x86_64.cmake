# Cross build of the Windows program with MinGW-w64 for x86-64, the twin the tests run under Wine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VESTORA_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
