// Decoded pictures packed without loss, to be kept between paints in a third of the room their
// pixels take: four-byte pixels (blue, green, red, alpha) as a stream of short codes, each a run of
// the pixel before, one of the 64 pixels seen last (by a hash of the pixel), a small difference
// from the pixel before, or the pixel whole. The codes are those of the "Quite OK Image" format,
// without its header. Unpacking costs one pass over the bytes, several times less than decoding
// the JPEG the pixels came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vestora::win32 {

// The pixels packed: four bytes a pixel in, in order.
std::vector<std::uint8_t> PackPixels(std::span<const std::uint8_t> pixels);

// Unpacks into exactly pixels.size() bytes, four a pixel. False, with pixels left partly
// written, when the packed bytes do not fill them exactly.
bool UnpackPixels(std::span<const std::uint8_t> packed, std::span<std::uint8_t> pixels);

}  // namespace vestora::win32
