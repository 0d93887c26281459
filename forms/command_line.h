// Reads a command line the way Windows does, so that a backend on another platform can tell
// which program a line names and which arguments it passes. Plain C++, no toolkit.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vestora::forms {

struct SplitCommand {
  std::string program;
  std::vector<std::string> arguments;
};

// Whether two program names are the same, as Windows compares file names: without regard to the
// case of ASCII letters.
bool SameProgramName(std::string_view a, std::string_view b);

// The program is the quoted first token, or else, since an unquoted path may hold spaces, the
// shortest run up to a space that names one of the known programs (compared without regard to
// case, as Windows names files), or else the first token. The rest is split into arguments by
// the C runtime's rules for quotation marks and backslashes.
SplitCommand SplitWindowsCommandLine(std::string_view line,
                                     std::span<const std::string_view> knownPrograms);

// The arguments part alone, split by the C runtime's rules.
std::vector<std::string> SplitWindowsArguments(std::string_view text);

}  // namespace vestora::forms
