# What the two MinGW-w64 toolchain files share: the caller sets VESTORA_MINGW_PREFIX (the target
# triplet) and CMAKE_SYSTEM_PROCESSOR, then includes this file. See scripts/build-windows.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX thread model: its C++ library has std::thread and std::mutex, which the default (win32)
# one lacks in GCC 12. With -static its thread library is linked in, so no DLL comes with it.
set(CMAKE_C_COMPILER ${VESTORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VESTORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VESTORA_MINGW_PREFIX}-windres)
# windres runs a C preprocessor over each script; only MinGW's knows the Windows headers, which
# keep to what a resource script understands when RC_INVOKED is defined.
set(CMAKE_RC_FLAGS_INIT
    "--preprocessor=${VESTORA_MINGW_PREFIX}-cpp-posix --preprocessor-arg=-DRC_INVOKED")

set(CMAKE_FIND_ROOT_PATH /usr/${VESTORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
