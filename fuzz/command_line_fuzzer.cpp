// Feeds arbitrary bytes to the Windows command-line reader and checks what must hold for any
// line: the program is a piece of the line, every argument is made of the line's own characters
// after the program in their order, and the same line always splits the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "forms/command_line.h"

namespace {

constexpr std::string_view kKnown[] = {"explorer.exe",
                                       "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"};

// Whether `part` can be had from `whole` by dropping characters.
bool IsSubsequence(std::string_view part, std::string_view whole) {
  std::size_t at = 0;
  for (char c : part) {
    while (at < whole.size() && whole[at] != c) ++at;
    if (at == whole.size()) return false;
    ++at;
  }
  return true;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckArguments(const std::vector<std::string>& arguments, std::string_view rest) {
  std::string joined;
  for (const std::string& argument : arguments) {
    Require(IsSubsequence(argument, rest));
    joined += argument;
  }
  // Arguments are read left to right and no character serves two of them.
  Require(IsSubsequence(joined, rest));
  Require(arguments.size() <= rest.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  using vestora::forms::SplitWindowsArguments;
  using vestora::forms::SplitWindowsCommandLine;

  const auto command = SplitWindowsCommandLine(line, kKnown);
  const std::size_t at = line.find(command.program);
  Require(at != std::string_view::npos);
  // The arguments come from what follows the program (and its closing quotation mark, if any).
  CheckArguments(command.arguments, line.substr(at + command.program.size()));

  const auto again = SplitWindowsCommandLine(line, kKnown);
  Require(again.program == command.program && again.arguments == command.arguments);

  const auto arguments = SplitWindowsArguments(line);
  CheckArguments(arguments, line);
  Require(SplitWindowsArguments(line) == arguments);
  return 0;
}
