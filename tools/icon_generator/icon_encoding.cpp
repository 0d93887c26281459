#include "icon_encoding.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <stdexcept>
#include <utility>

namespace vestora::icon {
namespace {

constexpr int kBitmapInfoHeaderSize = 40;
constexpr int kPaletteEntries = 256;
constexpr int kIcoHeaderSize = 6;
constexpr int kIcoEntrySize = 16;

void PutU8(QByteArray& out, int v) {
  out.append(char(v & 0xff));
}

void PutU16(QByteArray& out, std::uint32_t v) {
  PutU8(out, int(v));
  PutU8(out, int(v >> 8));
}

void PutU32(QByteArray& out, std::uint32_t v) {
  PutU16(out, v & 0xffff);
  PutU16(out, v >> 16);
}

int PaddedRowBytes(int bits) {
  return (bits + 31) / 32 * 4;
}

// The AND mask, bottom-up: bit set where the background shows through.
template <typename IsTransparent>
QByteArray Mask(int size, IsTransparent isTransparent) {
  const int rowBytes = PaddedRowBytes(size);
  QByteArray mask(rowBytes * size, '\0');
  for (int row = 0; row < size; ++row) {
    const int y = size - 1 - row;
    for (int x = 0; x < size; ++x) {
      if (isTransparent(x, y))
        mask[row * rowBytes + x / 8] = char(mask[row * rowBytes + x / 8] | (0x80 >> (x % 8)));
    }
  }
  return mask;
}

QByteArray BitmapInfoHeader(int size, int bitCount, int imageBytes) {
  QByteArray header;
  PutU32(header, kBitmapInfoHeaderSize);
  PutU32(header, std::uint32_t(size));
  PutU32(header, std::uint32_t(2 * size));  // the colour bitmap and the mask
  PutU16(header, 1);                        // planes
  PutU16(header, std::uint32_t(bitCount));
  PutU32(header, 0);  // BI_RGB
  PutU32(header, std::uint32_t(imageBytes));
  PutU32(header, 0);  // pixels per metre, across and down
  PutU32(header, 0);
  PutU32(header, 0);  // colours used: 0 means all that the bit count allows
  PutU32(header, 0);  // colours important: all
  return header;
}

struct Box {
  std::vector<std::pair<QRgb, int>> colours;  // colour and pixel count

  int Channel(QRgb c, int channel) const {
    return channel == 0 ? qRed(c) : channel == 1 ? qGreen(c) : qBlue(c);
  }

  // The channel with the widest spread and that spread.
  std::pair<int, int> Widest() const {
    int best = 0;
    int bestRange = -1;
    for (int channel = 0; channel < 3; ++channel) {
      int low = 255;
      int high = 0;
      for (const auto& [colour, count] : colours) {
        low = std::min(low, Channel(colour, channel));
        high = std::max(high, Channel(colour, channel));
      }
      if (high - low > bestRange) {
        best = channel;
        bestRange = high - low;
      }
    }
    return {best, bestRange};
  }

  long long Pixels() const {
    long long total = 0;
    for (const auto& entry : colours) total += entry.second;
    return total;
  }

  QRgb Mean() const {
    long long r = 0;
    long long g = 0;
    long long b = 0;
    const long long n = Pixels();
    for (const auto& [colour, count] : colours) {
      r += qRed(colour) * count;
      g += qGreen(colour) * count;
      b += qBlue(colour) * count;
    }
    return qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
  }
};

// Up to `limit` colours that stand for the histogram's colours: the box of colours with the
// widest spread in one channel is cut at its median (by pixel count) until there are enough,
// which keeps the worst colour error small.
std::vector<QRgb> MedianCut(const std::map<QRgb, int>& histogram, std::size_t limit) {
  std::vector<QRgb> palette;
  if (histogram.size() <= limit) {
    for (const auto& entry : histogram) palette.push_back(entry.first);
    return palette;
  }
  std::vector<Box> boxes{Box{{histogram.begin(), histogram.end()}}};
  while (boxes.size() < limit) {
    std::size_t chosen = boxes.size();
    long long chosenScore = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      const long long score = boxes[i].Widest().second;
      if (boxes[i].colours.size() > 1 && score > chosenScore) {
        chosen = i;
        chosenScore = score;
      }
    }
    if (chosen == boxes.size()) break;
    Box& box = boxes[chosen];
    const int channel = box.Widest().first;
    std::stable_sort(box.colours.begin(), box.colours.end(), [&](const auto& a, const auto& b) {
      return box.Channel(a.first, channel) < box.Channel(b.first, channel);
    });
    const long long half = box.Pixels() / 2;
    std::size_t cut = 1;
    for (long long seen = box.colours[0].second; cut + 1 < box.colours.size() && seen < half;
         ++cut) {
      seen += box.colours[cut].second;
    }
    Box upper{{box.colours.begin() + std::ptrdiff_t(cut), box.colours.end()}};
    box.colours.resize(cut);
    boxes.push_back(std::move(upper));
  }
  for (const Box& box : boxes) palette.push_back(box.Mean());
  return palette;
}

std::size_t Nearest(const std::vector<QRgb>& palette, QRgb colour) {
  std::size_t best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int dr = qRed(palette[i]) - qRed(colour);
    const int dg = qGreen(palette[i]) - qGreen(colour);
    const int db = qBlue(palette[i]) - qBlue(colour);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

QByteArray Encode8(const QImage& picture) {
  const int size = picture.width();
  const auto opaque = [&](int x, int y) { return qAlpha(picture.pixel(x, y)) >= 128; };
  std::map<QRgb, int> histogram;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (opaque(x, y)) ++histogram[picture.pixel(x, y) | 0xff000000u];
    }
  }
  // Index 0 stays black for the transparent pixels.
  const std::vector<QRgb> colours = MedianCut(histogram, kPaletteEntries - 1);

  const int rowBytes = PaddedRowBytes(8 * size);
  QByteArray bitmap(rowBytes * size, '\0');
  for (int row = 0; row < size; ++row) {
    const int y = size - 1 - row;
    for (int x = 0; x < size; ++x) {
      if (opaque(x, y))
        bitmap[row * rowBytes + x] = char(1 + Nearest(colours, picture.pixel(x, y)));
    }
  }
  const QByteArray mask = Mask(size, [&](int x, int y) { return !opaque(x, y); });

  QByteArray out = BitmapInfoHeader(size, 8, int(bitmap.size() + mask.size()));
  for (int i = 0; i < kPaletteEntries; ++i) {
    const QRgb c = i == 0 || std::size_t(i) > colours.size() ? 0 : colours[std::size_t(i) - 1];
    PutU8(out, qBlue(c));
    PutU8(out, qGreen(c));
    PutU8(out, qRed(c));
    PutU8(out, 0);
  }
  return out + bitmap + mask;
}

QByteArray Encode32(const QImage& picture) {
  const int size = picture.width();
  QByteArray bitmap;
  bitmap.reserve(4 * size * size);
  for (int row = 0; row < size; ++row) {
    const int y = size - 1 - row;
    for (int x = 0; x < size; ++x) {
      const QRgb c = picture.pixel(x, y);
      PutU8(bitmap, qBlue(c));
      PutU8(bitmap, qGreen(c));
      PutU8(bitmap, qRed(c));
      PutU8(bitmap, qAlpha(c));
    }
  }
  const QByteArray mask =
      Mask(size, [&](int x, int y) { return qAlpha(picture.pixel(x, y)) == 0; });
  return BitmapInfoHeader(size, 32, int(bitmap.size() + mask.size())) + bitmap + mask;
}

// The fields that .ico entries and RT_GROUP_ICON entries share.
void PutDirectoryEntryStart(QByteArray& out, const IconImage& image) {
  PutU8(out, image.size == 256 ? 0 : image.size);  // width
  PutU8(out, image.size == 256 ? 0 : image.size);  // height
  PutU8(out, 0);                                   // palette size: 0 for 256 colours or more
  PutU8(out, 0);                                   // reserved
  PutU16(out, 1);                                  // planes
  PutU16(out, std::uint32_t(image.bitCount));
  PutU32(out, std::uint32_t(image.data.size()));
}

void PutDirectoryHeader(QByteArray& out, std::size_t count) {
  PutU16(out, 0);  // reserved
  PutU16(out, 1);  // type: icon
  PutU16(out, std::uint32_t(count));
}

}  // namespace

IconImage EncodeIconImage(const QImage& picture, int bitCount) {
  if (picture.format() != QImage::Format_ARGB32 || picture.width() != picture.height() ||
      picture.width() < 1 || picture.width() > 256) {
    throw std::invalid_argument("icon images are square ARGB32 pictures of 1 to 256 pixels");
  }
  switch (bitCount) {
    case 8:
      return {picture.width(), 8, Encode8(picture)};
    case 32:
      return {picture.width(), 32, Encode32(picture)};
    default:
      throw std::invalid_argument("icon images have 8 or 32 bits per pixel");
  }
}

QByteArray IcoFile(const std::vector<IconImage>& images) {
  QByteArray out;
  PutDirectoryHeader(out, images.size());
  std::uint32_t offset = std::uint32_t(kIcoHeaderSize + kIcoEntrySize * images.size());
  for (const IconImage& image : images) {
    PutDirectoryEntryStart(out, image);
    PutU32(out, offset);
    offset += std::uint32_t(image.data.size());
  }
  for (const IconImage& image : images) out += image.data;
  return out;
}

QByteArray GroupIconResource(const std::vector<IconImage>& images, std::uint16_t firstId) {
  QByteArray out;
  PutDirectoryHeader(out, images.size());
  std::uint32_t id = firstId;
  for (const IconImage& image : images) {
    PutDirectoryEntryStart(out, image);
    PutU16(out, id++);
  }
  return out;
}

}  // namespace vestora::icon
