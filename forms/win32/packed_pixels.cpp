#include "forms/win32/packed_pixels.h"

#include <array>
#include <cstring>

namespace vestora::win32 {
namespace {

using Pixel = PixelBgra;

constexpr std::uint8_t kIndex = 0x00;  // 00iiiiii: the pixel at index i of the ones seen
constexpr std::uint8_t kDiff = 0x40;   // 01rrggbb: each channel 2 more than -2..1 of the one before
constexpr std::uint8_t kLuma = 0x80;   // 10gggggg rrrrbbbb: green 32 more than -32..31, red and
                                       // blue 8 more than -8..7 of green's difference
constexpr std::uint8_t kRun = 0xC0;    // 11nnnnnn: the pixel before, n + 1 times (up to 62)
constexpr std::uint8_t kColour = 0xFE;       // then red, green, blue; alpha as before
constexpr std::uint8_t kColourAlpha = 0xFF;  // then red, green, blue, alpha
constexpr std::uint8_t kCodeMask = 0xC0;
constexpr int kLongestRun = 62;

int Hash(const Pixel& p) {
  return (p.r * 3 + p.g * 5 + p.b * 7 + p.a * 11) % 64;
}

Pixel At(std::span<const std::uint8_t> pixels, std::size_t i) {
  return {pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
}

// Packs the pixels, handing each packed byte to put.
template <typename Put>
void Pack(std::span<const std::uint8_t> pixels, Put put) {
  std::array<Pixel, 64> seen{};
  Pixel before;
  int run = 0;
  for (std::size_t i = 0; i + 4 <= pixels.size(); i += 4) {
    const Pixel p = At(pixels, i);
    if (p == before) {
      if (++run == kLongestRun) {
        put(static_cast<std::uint8_t>(kRun | (run - 1)));
        run = 0;
      }
      continue;
    }
    if (run > 0) {
      put(static_cast<std::uint8_t>(kRun | (run - 1)));
      run = 0;
    }
    const int slot = Hash(p);
    if (seen[slot] == p) {
      put(static_cast<std::uint8_t>(kIndex | slot));
    } else {
      seen[slot] = p;
      const auto difference = [](std::uint8_t now, std::uint8_t then) {
        return static_cast<std::int8_t>(static_cast<std::uint8_t>(now - then));
      };
      const int dr = difference(p.r, before.r);
      const int dg = difference(p.g, before.g);
      const int db = difference(p.b, before.b);
      if (p.a != before.a) {
        for (std::uint8_t byte : {kColourAlpha, p.r, p.g, p.b, p.a}) put(byte);
      } else if (dr >= -2 && dr <= 1 && dg >= -2 && dg <= 1 && db >= -2 && db <= 1) {
        put(static_cast<std::uint8_t>(kDiff | (dr + 2) << 4 | (dg + 2) << 2 | (db + 2)));
      } else if (dg >= -32 && dg <= 31 && dr - dg >= -8 && dr - dg <= 7 && db - dg >= -8 &&
                 db - dg <= 7) {
        put(static_cast<std::uint8_t>(kLuma | (dg + 32)));
        put(static_cast<std::uint8_t>((dr - dg + 8) << 4 | (db - dg + 8)));
      } else {
        for (std::uint8_t byte : {kColour, p.r, p.g, p.b}) put(byte);
      }
    }
    before = p;
  }
  if (run > 0) put(static_cast<std::uint8_t>(kRun | (run - 1)));
}

}  // namespace

std::size_t PackedSize(std::span<const std::uint8_t> pixels) {
  std::size_t size = 0;
  Pack(pixels, [&](std::uint8_t) { ++size; });
  return size;
}

void PackPixels(std::span<const std::uint8_t> pixels, std::span<std::uint8_t> packed) {
  std::size_t next = 0;
  Pack(pixels, [&](std::uint8_t byte) {
    if (next < packed.size()) packed[next] = byte;
    ++next;
  });
}

std::vector<std::uint8_t> PackPixels(std::span<const std::uint8_t> pixels) {
  std::vector<std::uint8_t> packed(PackedSize(pixels));
  PackPixels(pixels, packed);
  return packed;
}

bool Unpacker::Next(std::span<std::uint8_t> pixels) {
  static_assert(sizeof(Pixel) == 4);
  const std::uint8_t* const first = packed_.data();
  const std::uint8_t* in = first + next_;
  const std::uint8_t* const last = first + packed_.size();
  std::uint8_t* out = pixels.data();
  std::uint8_t* const end = out + (pixels.size() - pixels.size() % 4);
  Pixel p = pixel_;
  bool whole = true;
  while (out < end) {
    if (run_ > 0) {
      --run_;
      std::memcpy(out, &p, 4);
      out += 4;
      continue;
    }
    if (in >= last) {
      whole = false;
      break;
    }
    const std::uint8_t code = *in++;
    if (code == kColour || code == kColourAlpha) {
      const std::ptrdiff_t length = code == kColour ? 3 : 4;
      if (last - in < length) {
        whole = false;
        break;
      }
      p.r = in[0];
      p.g = in[1];
      p.b = in[2];
      if (code == kColourAlpha) p.a = in[3];
      in += length;
    } else if ((code & kCodeMask) == kIndex) {
      p = seen_[code];
    } else if ((code & kCodeMask) == kDiff) {
      p.r = static_cast<std::uint8_t>(p.r + ((code >> 4) & 3) - 2);
      p.g = static_cast<std::uint8_t>(p.g + ((code >> 2) & 3) - 2);
      p.b = static_cast<std::uint8_t>(p.b + (code & 3) - 2);
    } else if ((code & kCodeMask) == kLuma) {
      if (in >= last) {
        whole = false;
        break;
      }
      const int dg = (code & 0x3F) - 32;
      const std::uint8_t second = *in++;
      p.r = static_cast<std::uint8_t>(p.r + dg + (second >> 4) - 8);
      p.g = static_cast<std::uint8_t>(p.g + dg);
      p.b = static_cast<std::uint8_t>(p.b + dg + (second & 0x0F) - 8);
    } else {
      run_ = code & 0x3Fu;  // and this one
      std::memcpy(out, &p, 4);
      out += 4;
      continue;
    }
    seen_[Hash(p)] = p;
    std::memcpy(out, &p, 4);
    out += 4;
  }
  pixel_ = p;
  next_ = static_cast<std::size_t>(in - first);
  return whole;
}

bool UnpackPixels(std::span<const std::uint8_t> packed, std::span<std::uint8_t> pixels) {
  Unpacker unpacker(packed);
  return unpacker.Next(pixels) && unpacker.Done();
}

}  // namespace vestora::win32
