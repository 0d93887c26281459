// The program's calls into the system, redirected through its import table: for tests that
// inject failures, or answer for a setting the system under test does not report.
#pragma once

#include <cstring>

#include "forms/win32/windows_api.h"

namespace vestora::test {

// Points this program's import of a system function at another; returns where it pointed before,
// or 0 when the program does not import it.
inline ULONG_PTR RedirectImport(const char* library, const char* function, ULONG_PTR replacement) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      DWORD protection = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
      const ULONG_PTR before = static_cast<ULONG_PTR>(slots->u1.Function);
      slots->u1.Function = replacement;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
      return before;
    }
  }
  return 0;
}

template <typename Function>
Function Redirect(const char* library, const char* function, Function replacement) {
  return reinterpret_cast<Function>(
      RedirectImport(library, function, reinterpret_cast<ULONG_PTR>(replacement)));
}

}  // namespace vestora::test
