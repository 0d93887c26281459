// A stand-in for a program that Vestora starts: it shows nothing and ends at once, after adding
// one line to a record file for each start:
//   <its command line, as GetCommandLineW gives it, in UTF-8> TAB <STARTUPINFO dwFlags> TAB
//   <wShowWindow>
// The record file is the one that VESTORA_RECORD_FILE names, else recorder.log next to the .exe.
#include <windows.h>

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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  const std::string line = Utf8(GetCommandLineW()) + '\t' + std::to_string(startup.dwFlags) + '\t' +
                           std::to_string(startup.wShowWindow) + '\n';
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
