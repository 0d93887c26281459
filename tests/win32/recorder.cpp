// A stand-in for a program that Vestora starts: it shows nothing and ends at once, after adding
// one line to a record file for each start:
//   <its command line, as GetCommandLineW gives it> TAB <STARTUPINFO dwFlags> TAB <wShowWindow>
//   TAB <its first argument, as CommandLineToArgvW reads the command line, or nothing>
// in UTF-8. The first argument is what a program that reads its arguments the usual way (a
// browser's address) gets.
// The record file is the one that VESTORA_RECORD_FILE names, else recorder.log next to the .exe.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

std::wstring RecordFile() {
  std::wstring path(32768, L'\0');
  DWORD length =
      GetEnvironmentVariableW(L"VESTORA_RECORD_FILE", path.data(), static_cast<DWORD>(path.size()));
  if (length > 0 && length < path.size()) return path.substr(0, length);
  length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + L"recorder.log";
}

std::wstring FirstArgument(const wchar_t* commandLine) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(commandLine, &count);
  if (arguments == nullptr) return {};
  std::wstring first = count > 1 ? arguments[1] : L"";
  LocalFree(arguments);
  return first;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  const wchar_t* commandLine = GetCommandLineW();
  const std::string line = Utf8(commandLine) + '\t' + std::to_string(startup.dwFlags) + '\t' +
                           std::to_string(startup.wShowWindow) + '\t' +
                           Utf8(FirstArgument(commandLine)) + '\n';
  // Appends whole lines even when two starts write at once: FILE_APPEND_DATA writes at the end.
  HANDLE file =
      CreateFileW(RecordFile().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == line.size() ? 0 : 1;
}
