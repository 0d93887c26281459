#include "forms/win32/packed_pixels.h"

#include <array>
#include <cstring>

namespace vestora::win32 {
namespace {

struct Pixel {
  std::uint8_t b = 0, g = 0, r = 0, a = 255;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

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

}  // namespace

std::vector<std::uint8_t> PackPixels(std::span<const std::uint8_t> pixels) {
  std::vector<std::uint8_t> packed;
  packed.reserve(pixels.size() / 3);
  std::array<Pixel, 64> seen{};
  Pixel before;
  int run = 0;
  for (std::size_t i = 0; i + 4 <= pixels.size(); i += 4) {
    const Pixel p = At(pixels, i);
    if (p == before) {
      if (++run == kLongestRun) {
        packed.push_back(static_cast<std::uint8_t>(kRun | (run - 1)));
        run = 0;
      }
      continue;
    }
    if (run > 0) {
      packed.push_back(static_cast<std::uint8_t>(kRun | (run - 1)));
      run = 0;
    }
    const int slot = Hash(p);
    if (seen[slot] == p) {
      packed.push_back(static_cast<std::uint8_t>(kIndex | slot));
    } else {
      seen[slot] = p;
      const auto difference = [](std::uint8_t now, std::uint8_t then) {
        return static_cast<std::int8_t>(static_cast<std::uint8_t>(now - then));
      };
      const int dr = difference(p.r, before.r);
      const int dg = difference(p.g, before.g);
      const int db = difference(p.b, before.b);
      if (p.a != before.a) {
        packed.insert(packed.end(), {kColourAlpha, p.r, p.g, p.b, p.a});
      } else if (dr >= -2 && dr <= 1 && dg >= -2 && dg <= 1 && db >= -2 && db <= 1) {
        packed.push_back(
            static_cast<std::uint8_t>(kDiff | (dr + 2) << 4 | (dg + 2) << 2 | (db + 2)));
      } else if (dg >= -32 && dg <= 31 && dr - dg >= -8 && dr - dg <= 7 && db - dg >= -8 &&
                 db - dg <= 7) {
        packed.push_back(static_cast<std::uint8_t>(kLuma | (dg + 32)));
        packed.push_back(static_cast<std::uint8_t>((dr - dg + 8) << 4 | (db - dg + 8)));
      } else {
        packed.insert(packed.end(), {kColour, p.r, p.g, p.b});
      }
    }
    before = p;
  }
  if (run > 0) packed.push_back(static_cast<std::uint8_t>(kRun | (run - 1)));
  packed.shrink_to_fit();
  return packed;
}

bool UnpackPixels(std::span<const std::uint8_t> packed, std::span<std::uint8_t> pixels) {
  static_assert(sizeof(Pixel) == 4);
  std::array<Pixel, 64> seen{};
  Pixel p;
  const std::uint8_t* in = packed.data();
  const std::uint8_t* const last = in + packed.size();
  std::uint8_t* out = pixels.data();
  std::uint8_t* const end = out + (pixels.size() - pixels.size() % 4);
  while (out < end) {
    if (in >= last) return false;
    const std::uint8_t code = *in++;
    if (code == kColour || code == kColourAlpha) {
      const std::ptrdiff_t length = code == kColour ? 3 : 4;
      if (last - in < length) return false;
      p.r = in[0];
      p.g = in[1];
      p.b = in[2];
      if (code == kColourAlpha) p.a = in[3];
      in += length;
    } else if ((code & kCodeMask) == kIndex) {
      p = seen[code];
    } else if ((code & kCodeMask) == kDiff) {
      p.r = static_cast<std::uint8_t>(p.r + ((code >> 4) & 3) - 2);
      p.g = static_cast<std::uint8_t>(p.g + ((code >> 2) & 3) - 2);
      p.b = static_cast<std::uint8_t>(p.b + (code & 3) - 2);
    } else if ((code & kCodeMask) == kLuma) {
      if (in >= last) return false;
      const int dg = (code & 0x3F) - 32;
      const std::uint8_t second = *in++;
      p.r = static_cast<std::uint8_t>(p.r + dg + (second >> 4) - 8);
      p.g = static_cast<std::uint8_t>(p.g + dg);
      p.b = static_cast<std::uint8_t>(p.b + dg + (second & 0x0F) - 8);
    } else {
      const std::ptrdiff_t times = (code & 0x3F) + 1;
      if ((end - out) / 4 < times) return false;
      for (std::ptrdiff_t i = 0; i < times; ++i, out += 4) std::memcpy(out, &p, 4);
      continue;
    }
    seen[Hash(p)] = p;
    std::memcpy(out, &p, 4);
    out += 4;
  }
  return in == last;
}

}  // namespace vestora::win32
