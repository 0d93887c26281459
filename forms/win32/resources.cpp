#include "forms/win32/resources.h"

#include "forms/win32/text.h"

namespace vestora::win32 {

std::span<const std::byte> EmbeddedFile(std::string_view fileName) {
  // The resource compiler stores names in capitals; look them up the same way.
  std::wstring name = Wide(fileName);
  for (wchar_t& c : name) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (found == nullptr) return {};
  const HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return {};
  return {static_cast<const std::byte*>(data), SizeofResource(module, found)};
}

}  // namespace vestora::win32
