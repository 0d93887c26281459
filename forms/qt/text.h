// Text between the program's UTF-8 and Qt's strings, beside forms/win32/text.h.
#pragma once

#include <QString>
#include <string_view>

namespace vestora::qt {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vestora::qt
