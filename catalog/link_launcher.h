// Turns a cell's link into the exact command line that opens it, and starts that command line.
#pragma once

#include <string>
#include <string_view>

#include "catalog/model.h"
#include "forms/runtime.h"

namespace vestora {

using forms::LaunchStyle;

// The two Windows programs the command lines start: the shell, which hands an address to the
// default browser, and the browser at its fixed path.
inline constexpr std::string_view kShellProgram = "explorer.exe";
inline constexpr std::string_view kBrowserProgram =
    "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";

// The command line of a link, character for character; nothing is quoted, escaped or encoded
// beyond the fixed pieces. A link of kind None has no command line (empty).
std::string BuildCommandLine(const ItemLink& link);

LaunchStyle StyleFor(LinkKind kind);

// Starts the link's program and ignores the task number. A failure to start is not caught here:
// it travels on to the program-wide failure path.
void Launch(const ItemLink& link, forms::Runtime& runtime);

}  // namespace vestora
