// Little-endian fields of the Windows file formats, read from a byte array.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <stdexcept>

namespace vestora::test {

inline std::uint32_t U8(const QByteArray& bytes, qsizetype at) {
  if (at < 0 || at >= bytes.size()) throw std::out_of_range("read past the end");
  return std::uint8_t(bytes[at]);
}

inline std::uint32_t U16(const QByteArray& bytes, qsizetype at) {
  return U8(bytes, at) | U8(bytes, at + 1) << 8;
}

inline std::uint32_t U32(const QByteArray& bytes, qsizetype at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

}  // namespace vestora::test
