#include "encoders.h"

#include <gif_lib.h>

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <unordered_map>

namespace vestora::pictures {

QByteArray EncodeJpeg(const QImage& image, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  writer.setOptimizedWrite(false);
  writer.setProgressiveScanWrite(false);
  // The JFIF header carries the density: fix it at 96 dots per inch rather than take whatever
  // screen the toolkit believes in.
  QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  rgb.setDotsPerMeterX(3780);
  rgb.setDotsPerMeterY(3780);
  if (!writer.write(rgb)) {
    throw std::runtime_error("JPEG writer failed: " + writer.errorString().toStdString());
  }
  return bytes;
}

namespace {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
};

// Median cut over a 15-bit histogram of every frame's pixels.
class Palette {
 public:
  // `firstIndex` entries at the start are reserved and never chosen for a pixel.
  Palette(const std::vector<QImage>& frames, int firstIndex) : first_(firstIndex) {
    struct Bin {
      std::uint32_t count = 0;
      std::uint64_t r = 0, g = 0, b = 0;
    };
    std::vector<Bin> bins(1 << 15);
    for (const QImage& frame : frames) {
      for (int y = 0; y < frame.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
          const QRgb p = line[x];
          Bin& bin = bins[Key(p)];
          ++bin.count;
          bin.r += static_cast<std::uint64_t>(qRed(p));
          bin.g += static_cast<std::uint64_t>(qGreen(p));
          bin.b += static_cast<std::uint64_t>(qBlue(p));
        }
      }
    }
    std::vector<int> used;
    for (int k = 0; k < (1 << 15); ++k) {
      if (bins[static_cast<std::size_t>(k)].count > 0) used.push_back(k);
    }
    struct Box {
      std::size_t begin, end;  // into `used`
    };
    auto channel = [](int key, int c) { return (key >> (10 - 5 * c)) & 31; };
    auto extent = [&](const Box& box, int c) {
      int lo = 31, hi = 0;
      for (std::size_t i = box.begin; i < box.end; ++i) {
        lo = std::min(lo, channel(used[i], c));
        hi = std::max(hi, channel(used[i], c));
      }
      return hi - lo;
    };
    std::vector<Box> boxes{{0, used.size()}};
    const std::size_t wanted = static_cast<std::size_t>(256 - first_);
    while (boxes.size() < wanted) {
      // Split the box with the most pixels times its widest range.
      std::size_t best = boxes.size();
      std::uint64_t bestScore = 0;
      int bestChannel = 0;
      for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i].end - boxes[i].begin < 2) continue;
        std::uint64_t pixels = 0;
        for (std::size_t j = boxes[i].begin; j < boxes[i].end; ++j) {
          pixels += bins[static_cast<std::size_t>(used[j])].count;
        }
        for (int c = 0; c < 3; ++c) {
          const std::uint64_t score = pixels * static_cast<std::uint64_t>(extent(boxes[i], c));
          if (score > bestScore) {
            bestScore = score;
            best = i;
            bestChannel = c;
          }
        }
      }
      if (best == boxes.size()) break;
      Box box = boxes[best];
      const auto first = used.begin() + static_cast<std::ptrdiff_t>(box.begin);
      const auto last = used.begin() + static_cast<std::ptrdiff_t>(box.end);
      std::sort(first, last, [&](int a, int b) {
        const int ca = channel(a, bestChannel), cb = channel(b, bestChannel);
        return ca != cb ? ca < cb : a < b;
      });
      std::uint64_t total = 0;
      for (auto it = first; it != last; ++it) total += bins[static_cast<std::size_t>(*it)].count;
      std::uint64_t running = 0;
      std::size_t split = box.begin + 1;
      for (std::size_t j = box.begin; j + 1 < box.end; ++j) {
        running += bins[static_cast<std::size_t>(used[j])].count;
        split = j + 1;
        if (running * 2 >= total) break;
      }
      boxes[best] = {box.begin, split};
      boxes.push_back({split, box.end});
    }
    colors_.assign(256, Rgb{});
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      std::uint64_t n = 0, r = 0, g = 0, b = 0;
      for (std::size_t j = boxes[i].begin; j < boxes[i].end; ++j) {
        const Bin& bin = bins[static_cast<std::size_t>(used[j])];
        n += bin.count;
        r += bin.r;
        g += bin.g;
        b += bin.b;
      }
      colors_[static_cast<std::size_t>(first_) + i] = {static_cast<int>((r + n / 2) / n),
                                                       static_cast<int>((g + n / 2) / n),
                                                       static_cast<int>((b + n / 2) / n)};
    }
    count_ = first_ + static_cast<int>(boxes.size());
  }

  // The nearest chosen colour, never a reserved index.
  std::uint8_t Nearest(int r, int g, int b) {
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    const std::uint32_t key = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
    if (const auto it = cache_.find(key); it != cache_.end()) return it->second;
    int best = first_;
    int bestDistance = 1 << 30;
    for (int i = first_; i < count_; ++i) {
      const Rgb& c = colors_[static_cast<std::size_t>(i)];
      const int dr = c.r - r, dg = c.g - g, db = c.b - b;
      const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (d < bestDistance) {
        bestDistance = d;
        best = i;
      }
    }
    const auto index = static_cast<std::uint8_t>(best);
    cache_.emplace(key, index);
    return index;
  }

  ColorMapObject* MakeMap() const {
    std::array<GifColorType, 256> entries{};
    for (std::size_t i = 0; i < 256; ++i) {
      entries[i] = {static_cast<GifByteType>(colors_[i].r), static_cast<GifByteType>(colors_[i].g),
                    static_cast<GifByteType>(colors_[i].b)};
    }
    return GifMakeMapObject(256, entries.data());
  }

 private:
  static std::size_t Key(QRgb p) {
    return static_cast<std::size_t>((qRed(p) >> 3) << 10 | (qGreen(p) >> 3) << 5 | qBlue(p) >> 3);
  }

  int first_;
  int count_ = 0;
  std::vector<Rgb> colors_;
  std::unordered_map<std::uint32_t, std::uint8_t> cache_;
};

// Ordered dithering: the offset depends only on the pixel's place, so a pixel that keeps its
// colour from one frame to the next keeps its index too.
constexpr std::array<int, 16> kBayer = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};

std::vector<std::uint8_t> MapFrame(const QImage& frame, Palette& palette) {
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(frame.width() * frame.height()));
  for (int y = 0; y < frame.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
    for (int x = 0; x < frame.width(); ++x) {
      const int offset = (kBayer[static_cast<std::size_t>((y & 3) * 4 + (x & 3))] - 8) * 3 / 4;
      const QRgb p = line[x];
      indices[static_cast<std::size_t>(y * frame.width() + x)] =
          palette.Nearest(qRed(p) + offset, qGreen(p) + offset, qBlue(p) + offset);
    }
  }
  return indices;
}

int WriteToBuffer(GifFileType* gif, const GifByteType* data, int length) {
  auto* bytes = static_cast<QByteArray*>(gif->UserData);
  bytes->append(reinterpret_cast<const char*>(data), length);
  return length;
}

void Check(int result, const char* what) {
  if (result != GIF_OK) throw std::runtime_error(std::string("GIF writer failed: ") + what);
}

class GifWriter {
 public:
  GifWriter(int width, int height, bool gif89, const Palette& palette)
      : width_(width), height_(height) {
    int error = 0;
    gif_ = EGifOpen(&bytes_, WriteToBuffer, &error);
    if (gif_ == nullptr) throw std::runtime_error("EGifOpen failed");
    EGifSetGifVersion(gif_, gif89);
    ColorMapObject* map = palette.MakeMap();
    const int result = EGifPutScreenDesc(gif_, width, height, 8, 0, map);
    GifFreeMapObject(map);
    Check(result, "screen descriptor");
  }
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;
  ~GifWriter() {
    if (gif_ != nullptr) EGifCloseFile(gif_, nullptr);
  }

  void PutLoopForever() {
    static constexpr GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A',
                                                   'P', 'E', '2', '.', '0'};
    static constexpr GifByteType kLoop[] = {1, 0, 0};  // sub-block 1, loop count 0: forever
    Check(EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE), "application leader");
    Check(EGifPutExtensionBlock(gif_, sizeof kApplication, kApplication), "application id");
    Check(EGifPutExtensionBlock(gif_, sizeof kLoop, kLoop), "loop block");
    Check(EGifPutExtensionTrailer(gif_), "application trailer");
  }

  void PutFrameControl(int delay, int transparentIndex) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delay;
    control.TransparentColor = transparentIndex;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    Check(EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
          "graphic control");
  }

  void PutImage(std::vector<std::uint8_t>& indices) {
    Check(EGifPutImageDesc(gif_, 0, 0, width_, height_, false, nullptr), "image descriptor");
    for (int y = 0; y < height_; ++y) {
      Check(EGifPutLine(gif_, indices.data() + static_cast<std::ptrdiff_t>(y) * width_, width_),
            "image line");
    }
  }

  QByteArray Finish() {
    int error = 0;
    const int result = EGifCloseFile(gif_, &error);
    gif_ = nullptr;
    Check(result, "close");
    return bytes_;
  }

 private:
  QByteArray bytes_;
  GifFileType* gif_ = nullptr;
  int width_;
  int height_;
};

}  // namespace

QByteArray EncodeGif87a(const QImage& image) {
  const QImage frame = image.convertToFormat(QImage::Format_RGB32);
  Palette palette({frame}, 0);
  std::vector<std::uint8_t> indices = MapFrame(frame, palette);
  GifWriter writer(frame.width(), frame.height(), false, palette);
  writer.PutImage(indices);
  return writer.Finish();
}

QByteArray EncodeGif89a(const std::vector<QImage>& images, int delayHundredths) {
  std::vector<QImage> frames;
  for (const QImage& image : images) frames.push_back(image.convertToFormat(QImage::Format_RGB32));
  // Index 0 is kept for "unchanged" in the later frames, so no pixel is ever given it.
  Palette palette(frames, 1);
  GifWriter writer(frames.front().width(), frames.front().height(), true, palette);
  writer.PutLoopForever();
  std::vector<std::uint8_t> shown;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    std::vector<std::uint8_t> indices = MapFrame(frames[i], palette);
    if (i == 0) {
      writer.PutFrameControl(delayHundredths, NO_TRANSPARENT_COLOR);
      shown = indices;
    } else {
      writer.PutFrameControl(delayHundredths, 0);
      for (std::size_t k = 0; k < indices.size(); ++k) {
        if (indices[k] == shown[k]) {
          indices[k] = 0;
        } else {
          shown[k] = indices[k];
        }
      }
    }
    writer.PutImage(indices);
  }
  return writer.Finish();
}

}  // namespace vestora::pictures
