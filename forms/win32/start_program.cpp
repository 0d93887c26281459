#include "forms/win32/start_program.h"

#include <array>
#include <vector>

#include "catalog/constants.h"
#include "forms/command_line.h"
#include "forms/failure_texts.h"
#include "forms/win32/text.h"
#include "forms/win32/windows_api.h"

namespace vestora::win32 {
namespace {

constexpr std::array<std::string_view, 2> kKnownPrograms = {kShellProgram, kBrowserProgram};

bool HasFolder(std::wstring_view program) {
  return program.find_first_of(L"\\/:") != std::wstring_view::npos;
}

std::wstring FolderOf(std::wstring path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring ProgramFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return FolderOf(std::wstring(path.data(), length));
    path.resize(path.size() * 2);
  }
}

std::wstring SystemFolder(UINT(WINAPI* folder)(LPWSTR, UINT)) {
  std::array<wchar_t, MAX_PATH> path{};
  const UINT length = folder(path.data(), static_cast<UINT>(path.size()));
  return length > 0 && length < path.size() ? std::wstring(path.data(), length) : std::wstring();
}

// The file of a program named as a command line names it; empty when it is nowhere.
std::wstring FindProgramFile(std::string_view name) {
  const std::wstring program = Wide(name);
  if (program.empty()) return {};
  if (HasFolder(program)) return program;

  // The search path: the program's own folder, the system folder, the Windows folder.
  std::wstring searchPath = ProgramFolder();
  for (const std::wstring& folder :
       {SystemFolder(GetSystemDirectoryW), SystemFolder(GetWindowsDirectoryW)}) {
    if (folder.empty()) continue;
    if (!searchPath.empty()) searchPath += L';';
    searchPath += folder;
  }
  std::vector<wchar_t> found(MAX_PATH);
  for (;;) {
    const DWORD length = SearchPathW(searchPath.c_str(), program.c_str(), nullptr,
                                     static_cast<DWORD>(found.size()), found.data(), nullptr);
    if (length == 0) return {};
    if (length < found.size()) return std::wstring(found.data(), length);
    found.resize(length + 1);
  }
}

std::string ProgramNamed(std::string_view commandLine) {
  return forms::SplitWindowsCommandLine(commandLine, kKnownPrograms).program;
}

// The command line the started program gets. A program reads its own command line by Windows'
// rules (CommandLineToArgvW, the C runtime's argv), where an unquoted program part ends at the
// first blank: a program path with a blank is put in quotation marks, as Windows itself writes
// one, and everything after it follows byte for byte. Any other line goes through unchanged.
std::wstring CommandLineFor(std::string_view commandLine, std::string_view program) {
  const std::size_t start = commandLine.find_first_not_of(" \t");
  if (start == std::string_view::npos || program.find_first_of(" \t") == std::string_view::npos ||
      !commandLine.substr(start).starts_with(program)) {
    return Wide(commandLine);
  }
  std::string quoted = "\"";
  quoted += program;
  quoted += '"';
  quoted += commandLine.substr(start + program.size());
  return Wide(quoted);
}

}  // namespace

std::wstring ProgramFileOf(std::string_view commandLine) {
  return FindProgramFile(ProgramNamed(commandLine));
}

forms::TaskNumber StartProgram(std::string_view commandLine, forms::LaunchStyle style) {
  const std::string named = ProgramNamed(commandLine);
  const std::wstring program = FindProgramFile(named);
  if (program.empty()) {
    throw forms::Failure(forms::CannotStartProgram(named, SystemReason(ERROR_FILE_NOT_FOUND)));
  }
  // CreateProcessW may write into the command line: it gets a copy of its own.
  std::wstring line = CommandLineFor(commandLine, named);
  line.push_back(L'\0');

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(
      style == forms::LaunchStyle::MinimizedFocus ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    const DWORD error = GetLastError();
    throw forms::Failure(forms::CannotStartProgram(Utf8(program), SystemReason(error)));
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return static_cast<forms::TaskNumber>(started.dwProcessId);
}

}  // namespace vestora::win32
