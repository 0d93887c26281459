// Feeds arbitrary bytes to the Windows backend's picture packer (forms/win32/packed_pixels.h) and
// checks what must hold for any input. The first two bytes choose how many pixels are asked for
// and the band they are unpacked in, the rest is packed bytes:
//   - unpacking reads and writes nothing outside its spans (AddressSanitizer);
//   - unpacking a band at a time gives what unpacking at once gives, and fails alike;
//   - pixels that unpack pack again to bytes that unpack to the same pixels.
// The same bytes taken as pixels pack and unpack back to themselves.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "forms/win32/packed_pixels.h"

namespace {

using vestora::win32::PackedSize;
using vestora::win32::PackPixels;
using vestora::win32::Unpacker;
using vestora::win32::UnpackPixels;

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t pixels = std::size_t{data[0]} * 8 + data[1] % 8;
  const std::size_t band = std::size_t{data[1]} / 8 + 1;  // 1..32 pixels
  // A copy of exactly their size, so that a read past them stops the fuzzer.
  const std::vector<std::uint8_t> packed(data + 2, data + size);

  std::vector<std::uint8_t> whole(pixels * 4);
  const bool unpacked = UnpackPixels(packed, whole);

  Unpacker unpacker(packed);
  std::vector<std::uint8_t> joined;
  bool banded = true;
  for (std::size_t done = 0; done < pixels && banded; done += band) {
    std::vector<std::uint8_t> part(std::min(band, pixels - done) * 4);
    banded = unpacker.Next(part);
    joined.insert(joined.end(), part.begin(), part.end());
  }
  banded = banded && unpacker.Done();
  Require(banded == unpacked);
  if (unpacked) {
    Require(joined == whole);
    const std::vector<std::uint8_t> again = PackPixels(whole);
    Require(again.size() == PackedSize(whole));
    std::vector<std::uint8_t> back(whole.size());
    Require(UnpackPixels(again, back) && back == whole);
  }

  // The input as pixels, whole ones only.
  const std::span<const std::uint8_t> input(data, size - size % 4);
  const std::vector<std::uint8_t> packedInput = PackPixels(input);
  std::vector<std::uint8_t> back(input.size());
  Require(UnpackPixels(packedInput, back));
  Require(std::equal(back.begin(), back.end(), input.begin(), input.end()));
  return 0;
}
