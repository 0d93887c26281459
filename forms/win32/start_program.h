// Starts a command line as the system would, without waiting for it.
#pragma once

#include <string>
#include <string_view>

#include "forms/runtime.h"

namespace vestora::win32 {

// The program file a command line names: a path as it stands, a bare name looked up in the
// program's own folder and then the system folders, never in the current directory. Empty when
// it is nowhere.
std::wstring ProgramFileOf(std::string_view commandLine);

// The program file is named apart from the command line, so that an unquoted path with spaces
// cannot start another program on the way. The program gets the command line with its program
// path in quotation marks when that path holds a space, the rest byte for byte, so that it reads
// the arguments that follow the program as they stand; any other line goes unchanged. Throws
// forms::Failure with the system's reason when the program cannot be started.
forms::TaskNumber StartProgram(std::string_view commandLine, forms::LaunchStyle style);

}  // namespace vestora::win32
