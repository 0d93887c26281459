#include "tools/catalog_dump/image_probe.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace vestora::dump {
namespace {

// Reads forward through the bytes; every read fails instead of going past the end.
class Cursor {
 public:
  explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Has(std::size_t count) const { return bytes_.size() - position_ >= count; }

  bool Skip(std::size_t count) {
    if (!Has(count)) return false;
    position_ += count;
    return true;
  }

  std::optional<std::uint8_t> Byte() {
    if (!Has(1)) return std::nullopt;
    return bytes_[position_++];
  }

  std::optional<std::uint8_t> Peek() const {
    if (!Has(1)) return std::nullopt;
    return bytes_[position_];
  }

  std::optional<int> BigEndian16() {
    if (!Has(2)) return std::nullopt;
    const int value = bytes_[position_] << 8 | bytes_[position_ + 1];
    position_ += 2;
    return value;
  }

  std::optional<int> LittleEndian16() {
    if (!Has(2)) return std::nullopt;
    const int value = bytes_[position_] | bytes_[position_ + 1] << 8;
    position_ += 2;
    return value;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

// Start of frame markers: C0..CF except DHT (C4), JPG (C8) and DAC (CC).
bool IsStartOfFrame(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and RST0..RST7.
bool IsStandalone(std::uint8_t marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// Walks the marker segments after SOI up to the first start of frame segment. Entropy-coded data
// only follows SOS, and SOS may not come before the frame header, so no scan data is crossed.
void ProbeJpeg(Cursor cursor, ImageFacts& facts) {
  if (!cursor.Skip(2)) return;  // SOI
  for (;;) {
    if (cursor.Byte() != 0xFF) return;
    std::optional<std::uint8_t> marker = cursor.Byte();
    while (marker == 0xFF) marker = cursor.Byte();  // fill bytes
    if (!marker) return;
    if (IsStandalone(*marker)) continue;
    // SOI again, EOI or SOS before any frame header, or a stuffed zero: not a usable file.
    if (*marker == 0x00 || *marker == 0xD8 || *marker == 0xD9 || *marker == 0xDA) return;

    const std::optional<int> length = cursor.BigEndian16();
    if (!length || *length < 2) return;
    const auto payload = static_cast<std::size_t>(*length - 2);
    if (!cursor.Has(payload)) return;
    if (IsStartOfFrame(*marker)) {
      // Sample precision, number of lines, samples per line, number of components.
      if (payload < 6) return;
      cursor.Skip(1);
      facts.height = *cursor.BigEndian16();
      facts.width = *cursor.BigEndian16();
      facts.frames = 1;
      facts.complete = true;
      return;
    }
    cursor.Skip(payload);
  }
}

// A colour table of 2^(size + 1) entries follows when the packed field's top bit is set.
bool SkipColorTable(Cursor& cursor, std::uint8_t packed) {
  if ((packed & 0x80) == 0) return true;
  return cursor.Skip(std::size_t{3} << ((packed & 0x07) + 1));
}

// Data sub-blocks: a size byte, that many bytes, and so on up to a size of zero.
bool SkipSubBlocks(Cursor& cursor) {
  for (;;) {
    const std::optional<std::uint8_t> size = cursor.Byte();
    if (!size) return false;
    if (*size == 0) return true;
    if (!cursor.Skip(*size)) return false;
  }
}

void ProbeGif(Cursor cursor, ImageFacts& facts) {
  // Header, then the logical screen descriptor: width, height, packed fields, background colour
  // index, pixel aspect ratio.
  if (!cursor.Skip(6)) return;
  const std::optional<int> width = cursor.LittleEndian16();
  const std::optional<int> height = cursor.LittleEndian16();
  const std::optional<std::uint8_t> packed = cursor.Byte();
  if (!packed || !cursor.Skip(2) || !SkipColorTable(cursor, *packed)) return;

  int frames = 0;
  for (;;) {
    const std::optional<std::uint8_t> introducer = cursor.Byte();
    if (introducer == 0x2C) {
      // Image descriptor: left, top, width, height, packed fields; then the LZW minimum code size
      // and the image data.
      if (!cursor.Skip(8)) return;
      const std::optional<std::uint8_t> imagePacked = cursor.Byte();
      if (!imagePacked || !SkipColorTable(cursor, *imagePacked) || !cursor.Skip(1) ||
          !SkipSubBlocks(cursor)) {
        return;
      }
      ++frames;
    } else if (introducer == 0x21) {
      if (!cursor.Skip(1) || !SkipSubBlocks(cursor)) return;  // label, then the blocks
    } else if (introducer == 0x3B) {
      facts.width = *width;
      facts.height = *height;
      facts.frames = frames;
      facts.complete = true;
      return;
    } else {
      return;  // the end of the bytes, or a block that GIF does not have
    }
  }
}

}  // namespace

ImageFacts ProbeImage(std::span<const std::uint8_t> bytes) {
  ImageFacts facts;
  if (StartsWith(bytes, "\xFF\xD8")) {
    facts.format = ImageFormat::JPEG;
    ProbeJpeg(Cursor(bytes), facts);
  } else if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) {
    facts.format = bytes[4] == '7' ? ImageFormat::GIF87a : ImageFormat::GIF89a;
    ProbeGif(Cursor(bytes), facts);
  }
  return facts;
}

}  // namespace vestora::dump
