// Decoded pictures packed without loss, to be kept between paints in a third of the room their
// pixels take: four-byte pixels (blue, green, red, alpha) as a stream of short codes, each a run of
// the pixel before, one of the 64 pixels seen last (by a hash of the pixel), a small difference
// from the pixel before, or the pixel whole. The codes are those of the "Quite OK Image" format,
// without its header. Unpacking costs one pass over the bytes, several times less than decoding
// the JPEG the pixels came from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vestora::win32 {

// The pixels packed: four bytes a pixel in, in order.
std::vector<std::uint8_t> PackPixels(std::span<const std::uint8_t> pixels);
// How many bytes the pixels take packed, and the pixels packed into exactly that many.
std::size_t PackedSize(std::span<const std::uint8_t> pixels);
void PackPixels(std::span<const std::uint8_t> pixels, std::span<std::uint8_t> packed);

// One pixel as the bitmaps hold it.
struct PixelBgra {
  std::uint8_t b = 0, g = 0, r = 0, a = 255;
  friend bool operator==(const PixelBgra&, const PixelBgra&) = default;
};

// Unpacks packed pixels a part at a time, in order.
class Unpacker {
 public:
  explicit Unpacker(std::span<const std::uint8_t> packed) : packed_(packed) {}
  // The next pixels.size() / 4 pixels. False, with pixels left partly written, when the packed
  // bytes end first.
  bool Next(std::span<std::uint8_t> pixels);
  // Whether every packed byte has been unpacked, and no pixel is left over.
  bool Done() const { return next_ == packed_.size() && run_ == 0; }

 private:
  std::span<const std::uint8_t> packed_;
  std::size_t next_ = 0;
  PixelBgra pixel_;
  std::size_t run_ = 0;  // times the pixel is still to come
  std::array<PixelBgra, 64> seen_{};
};

// Unpacks into exactly pixels.size() bytes, four a pixel. False, with pixels left partly
// written, when the packed bytes do not fill them exactly.
bool UnpackPixels(std::span<const std::uint8_t> packed, std::span<std::uint8_t> pixels);

}  // namespace vestora::win32
