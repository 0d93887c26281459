// Starting the catalog's Windows command lines on this platform.
#pragma once

#include <QString>
#include <string_view>

#include "forms/runtime.h"

namespace vestora::qt {

// The address a catalog command line opens: the line is read as Windows reads it, its program
// must be one of the two browsers the catalog names, and it must pass exactly one argument.
// Throws forms::Failure for any other line.
std::string AddressOf(std::string_view commandLine);

// Hands the command line's address, byte for byte, to xdg-open, started detached and without a
// shell. Returns the started process id. Throws forms::Failure when it cannot be started.
forms::TaskNumber StartProgram(std::string_view commandLine, forms::LaunchStyle style);

}  // namespace vestora::qt
