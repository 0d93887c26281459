# Cross build of the Windows program with MinGW-w64 for 32-bit x86, the program users get.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VESTORA_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
# 32-bit Windows promises only 4-byte stack alignment when it calls into the program (a window
# procedure, a font enumeration callback, a thread's start), while GCC assumes 16: a function
# that needs more than 4 realigns its own stack on entry.
string(APPEND CMAKE_C_FLAGS_INIT " -mstackrealign")
string(APPEND CMAKE_CXX_FLAGS_INIT " -mstackrealign")
