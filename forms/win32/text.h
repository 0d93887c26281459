// Texts cross into Windows as UTF-16 and come back as UTF-8: the core speaks UTF-8 only.
#pragma once

#include <string>
#include <string_view>

#include "forms/win32/windows_api.h"

namespace vestora::win32 {

std::wstring Wide(std::string_view text);
std::string Utf8(std::wstring_view text);

// What the system says about an error code, in the user's language, without the line break
// that ends it.
std::string SystemReason(DWORD error);

}  // namespace vestora::win32
