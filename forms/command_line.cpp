#include "forms/command_line.h"

#include <algorithm>

namespace vestora::forms {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameProgramName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::vector<std::string> SplitWindowsArguments(std::string_view text) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  while (true) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i >= text.size()) break;
    std::string argument;
    bool quoted = false;
    while (i < text.size() && (quoted || !IsBlank(text[i]))) {
      if (text[i] == '\\') {
        std::size_t backslashes = 0;
        while (i < text.size() && text[i] == '\\') {
          ++backslashes;
          ++i;
        }
        if (i < text.size() && text[i] == '"') {
          // 2n backslashes before a quotation mark are n backslashes and the mark is a quote;
          // 2n + 1 are n backslashes and a literal mark.
          argument.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            argument += '"';
            ++i;
          }
        } else {
          argument.append(backslashes, '\\');
        }
        continue;
      }
      if (text[i] == '"') {
        if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
          argument += '"';  // a doubled mark inside quotes is one literal mark
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      argument += text[i++];
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

SplitCommand SplitWindowsCommandLine(std::string_view line,
                                     std::span<const std::string_view> knownPrograms) {
  SplitCommand command;
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  line.remove_prefix(i);
  std::size_t programEnd = 0;
  std::size_t restStart = 0;
  if (!line.empty() && line.front() == '"') {
    const std::size_t close = line.find('"', 1);
    programEnd = close == std::string_view::npos ? line.size() : close;
    command.program = std::string(line.substr(1, programEnd - 1));
    restStart = close == std::string_view::npos ? line.size() : close + 1;
  } else {
    const std::size_t firstBlank = std::min(line.find_first_of(" \t"), line.size());
    programEnd = firstBlank;
    for (std::size_t end = firstBlank; end <= line.size();) {
      const std::string_view candidate = line.substr(0, end);
      if (std::ranges::any_of(knownPrograms, [&](std::string_view known) {
            return SameProgramName(candidate, known);
          })) {
        programEnd = end;
        break;
      }
      if (end == line.size()) break;
      end = std::min(line.find_first_of(" \t", end + 1), line.size());
    }
    command.program = std::string(line.substr(0, programEnd));
    restStart = programEnd;
  }
  command.arguments = SplitWindowsArguments(line.substr(restStart));
  return command;
}

}  // namespace vestora::forms
