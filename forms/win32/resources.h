// The files embedded in the executable as RCDATA resources, named by their file names.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace vestora::win32 {

// The bytes of an embedded file, mapped with the executable; empty when there is none.
std::span<const std::byte> EmbeddedFile(std::string_view fileName);

// Resource ids of the program's icon group.
inline constexpr int kIconGroup = 1;

}  // namespace vestora::win32
