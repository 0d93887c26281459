// The Windows backend's picture packer (forms/win32/packed_pixels.h) and the block its kept
// pictures go round (forms/win32/kept_places.h), on synthetic pictures: every code round trips,
// unpacking in bands of any size gives the same pixels, input that is cut short, damaged or
// random is refused without a byte read or written outside, and the block keeps the pictures
// kept last through many laps.
#include <QTest>
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <span>
#include <vector>

#include "forms/win32/kept_places.h"
#include "forms/win32/packed_pixels.h"

using vestora::win32::KeptPlace;
using vestora::win32::KeptPlaces;
using vestora::win32::PackedSize;
using vestora::win32::PackPixels;
using vestora::win32::Unpacker;
using vestora::win32::UnpackPixels;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Bgra {
  int b, g, r, a;
};

Bytes Pixels(std::initializer_list<Bgra> pixels) {
  Bytes bytes;
  for (const Bgra& p : pixels) {
    for (int channel : {p.b, p.g, p.r, p.a}) bytes.push_back(static_cast<std::uint8_t>(channel));
  }
  return bytes;
}

void Repeat(Bytes& bytes, Bgra p, int times) {
  for (int i = 0; i < times; ++i) {
    for (int channel : {p.b, p.g, p.r, p.a}) bytes.push_back(static_cast<std::uint8_t>(channel));
  }
}

// The kinds of code in a packed stream, read as the format lays them out: the count of each.
struct Codes {
  int run = 0, index = 0, diff = 0, luma = 0, colour = 0, colourAlpha = 0;
  int longestRun = 0;
};

Codes CodesOf(const Bytes& packed) {
  Codes codes;
  for (std::size_t i = 0; i < packed.size();) {
    const std::uint8_t code = packed[i];
    if (code == 0xFE) {
      ++codes.colour;
      i += 4;
    } else if (code == 0xFF) {
      ++codes.colourAlpha;
      i += 5;
    } else if (code >> 6 == 0) {
      ++codes.index;
      i += 1;
    } else if (code >> 6 == 1) {
      ++codes.diff;
      i += 1;
    } else if (code >> 6 == 2) {
      ++codes.luma;
      i += 2;
    } else {
      ++codes.run;
      codes.longestRun = std::max(codes.longestRun, (code & 0x3F) + 1);
      i += 1;
    }
  }
  return codes;
}

QByteArray AsQt(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

Bytes FromQt(const QByteArray& bytes) {
  return Bytes(bytes.begin(), bytes.end());
}

Bytes Noise(std::mt19937& random, std::size_t pixels, bool alpha) {
  Bytes bytes(pixels * 4);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = (i % 4 == 3 && !alpha) ? 255 : static_cast<std::uint8_t>(random());
  }
  return bytes;
}

// A picture of every kind at once: runs, repeats, gradients, noise and alpha, in stripes.
Bytes Mixed(std::mt19937& random, int width, int height) {
  Bytes bytes;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int stripe = (x / 7 + y / 3) % 5;
      Bgra p{0, 0, 0, 255};
      if (stripe == 0) p = {40, 80, 120, 255};
      if (stripe == 1) p = {x % 4 * 60, y % 2 * 90, 200, 255};
      if (stripe == 2) p = {(x + y) & 255, (2 * x + y) & 255, (x + 3 * y) & 255, 255};
      if (stripe == 3) p = {int(random() % 256), int(random() % 256), int(random() % 256), 255};
      if (stripe == 4) p = {x & 255, y & 255, 128, int(random() % 4) * 85};
      Repeat(bytes, p, 1);
    }
  }
  return bytes;
}

// A buffer with guard bytes on both sides: what the unpacker writes outside its span shows.
struct Guarded {
  static constexpr std::size_t kGuard = 64;
  static constexpr std::uint8_t kMark = 0xA5;
  explicit Guarded(std::size_t size) : bytes(size + 2 * kGuard, kMark), size(size) {}
  std::span<std::uint8_t> Inside() { return {bytes.data() + kGuard, size}; }
  bool GuardsIntact() const {
    return std::all_of(bytes.begin(), bytes.begin() + kGuard, [](auto b) { return b == kMark; }) &&
           std::all_of(bytes.end() - kGuard, bytes.end(), [](auto b) { return b == kMark; });
  }
  Bytes bytes;
  std::size_t size;
};

// Unpacks the packed bytes from an allocation of exactly their size, so that the sanitizer build
// stops on any read past them, into a guarded buffer of the given size. Whether it succeeded.
bool UnpackGuarded(const Bytes& packed, std::size_t size, Bytes* pixels = nullptr) {
  const auto input = std::make_unique<std::uint8_t[]>(std::max<std::size_t>(packed.size(), 1));
  std::copy(packed.begin(), packed.end(), input.get());
  Guarded output(size);
  const bool unpacked = UnpackPixels({input.get(), packed.size()}, output.Inside());
  if (!output.GuardsIntact()) qFatal("the unpacker wrote outside its %zu bytes", size);
  if (pixels != nullptr) pixels->assign(output.Inside().begin(), output.Inside().end());
  return unpacked;
}

}  // namespace

class PackingTest : public QObject {
  Q_OBJECT

 private slots:
  // Each picture is made to need one kind of code; it must come back byte for byte.
  void roundTripsEveryCode_data() {
    QTest::addColumn<QByteArray>("pixels");
    QTest::addColumn<QString>("code");
    std::mt19937 random(7);

    Bytes runs;
    Repeat(runs, {0, 0, 0, 255}, 5);  // the pixel before the first: a run from the start
    for (int length : {1, 2, 61, 62, 63, 124, 125, 200}) {
      Repeat(runs, {length, 9, 9, 255}, length);
    }
    QTest::newRow("runs, at and across the longest") << AsQt(runs) << "run";

    Bytes index;
    for (int i = 0; i < 300; ++i) Repeat(index, {i % 5 * 50, 255 - i % 5 * 50, 17, 255}, 1);
    Repeat(index, {0, 0, 0, 255}, 1);  // black again after others: its slot holds it from the start
    QTest::newRow("pixels seen before") << AsQt(index) << "index";

    Bytes diff;
    Bgra p{0, 255, 1, 255};
    for (int i = 0; i < 400; ++i) {
      // Every step of -2..1 on each channel, wrapping past 0 and 255.
      p = {(p.b + i % 4 - 2) & 255, (p.g + i / 4 % 4 - 2) & 255, (p.r + i / 16 % 4 - 2) & 255, 255};
      Repeat(diff, p, 1);
    }
    QTest::newRow("small differences") << AsQt(diff) << "diff";

    Bytes luma;
    p = {100, 100, 100, 255};
    for (int i = 0; i < 512; ++i) {
      const int dg = i % 64 - 32;
      p = {(p.b + dg + i / 64 % 16 - 8) & 255, (p.g + dg) & 255, (p.r + dg + 7 - i / 64 % 16) & 255,
           255};
      Repeat(luma, p, 1);
    }
    QTest::newRow("luma differences") << AsQt(luma) << "luma";

    QTest::newRow("whole pixels") << AsQt(Noise(random, 500, false)) << "colour";
    QTest::newRow("whole pixels with alpha") << AsQt(Noise(random, 500, true)) << "colourAlpha";

    Bytes alpha;
    for (int a : {255, 0, 0, 128, 1, 255, 254, 0}) Repeat(alpha, {10, 20, 30, a}, 3);
    QTest::newRow("alpha alone changing") << AsQt(alpha) << "colourAlpha";

    QTest::newRow("transparent black first")
        << AsQt(Pixels({{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 255}})) << "colourAlpha";
    QTest::newRow("no pixels") << QByteArray() << "";
    QTest::newRow("one pixel") << AsQt(Pixels({{1, 2, 3, 4}})) << "colourAlpha";
    QTest::newRow("everything, 97 by 31") << AsQt(Mixed(random, 97, 31)) << "all";
  }
  void roundTripsEveryCode() {
    QFETCH(QByteArray, pixels);
    QFETCH(QString, code);
    const Bytes original = FromQt(pixels);
    const Bytes packed = PackPixels(original);
    QCOMPARE(PackedSize(original), packed.size());
    Bytes exact(packed.size());
    PackPixels(original, exact);
    QVERIFY(exact == packed);

    const Codes codes = CodesOf(packed);
    const std::map<QString, int> count{
        {"run", codes.run},   {"index", codes.index},   {"diff", codes.diff},
        {"luma", codes.luma}, {"colour", codes.colour}, {"colourAlpha", codes.colourAlpha}};
    if (code == "all") {
      for (const auto& [name, n] : count) QVERIFY2(n > 0, qPrintable("no " + name + " code"));
    } else if (!code.isEmpty()) {
      QVERIFY2(count.at(code) > 0, qPrintable("no " + code + " code"));
    }
    if (QByteArray(QTest::currentDataTag()).startsWith("runs")) QCOMPARE(codes.longestRun, 62);

    Bytes unpacked;
    QVERIFY(UnpackGuarded(packed, original.size(), &unpacked));
    QVERIFY(unpacked == original);
  }

  // Unpacked a band at a time, of every awkward size: one pixel, a prime, either side of the
  // longest run, a band ending inside a run or a code, a size not a whole number of pixels.
  void unpacksInBandsOfAnySize() {
    std::mt19937 random(11);
    const Bytes original = Mixed(random, 97, 31);
    const Bytes packed = PackPixels(original);
    const std::size_t pixels = original.size() / 4;
    for (std::size_t band :
         {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}, std::size_t{7},
          std::size_t{61}, std::size_t{62}, std::size_t{63}, std::size_t{64}, std::size_t{97},
          std::size_t{97 * 32 / 3}, pixels - 1, pixels, pixels + 1}) {
      for (std::size_t slack : {0, 1, 3}) {  // bytes beyond the last whole pixel of a band
        Unpacker unpacker(packed);
        Bytes joined;
        bool whole = true;
        for (std::size_t done = 0; done < pixels; done += band) {
          const std::size_t count = std::min(band, pixels - done);
          Guarded part(count * 4 + slack);
          whole = unpacker.Next(part.Inside());
          QVERIFY(part.GuardsIntact());
          // The slack is left as it was.
          QVERIFY(std::all_of(part.Inside().end() - static_cast<std::ptrdiff_t>(slack),
                              part.Inside().end(), [](auto b) { return b == Guarded::kMark; }));
          if (!whole) break;
          joined.insert(joined.end(), part.Inside().begin(),
                        part.Inside().begin() + static_cast<std::ptrdiff_t>(count * 4));
        }
        QVERIFY2(whole, qPrintable(QString("band of %1 pixels").arg(band)));
        QVERIFY(joined == original);
        QVERIFY(unpacker.Done());
        // Nothing more to unpack: a further band is refused, and writes nothing past its span.
        Guarded more(8);
        QVERIFY(!unpacker.Next(more.Inside()));
        QVERIFY(more.GuardsIntact());
      }
    }
  }

  // Cut short at every length, longer, or for more or fewer pixels: refused.
  void refusesTruncatedInput() {
    std::mt19937 random(13);
    const Bytes original = Mixed(random, 23, 9);
    const Bytes packed = PackPixels(original);
    for (std::size_t length = 0; length < packed.size(); ++length) {
      const Bytes cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(length));
      QVERIFY2(!UnpackGuarded(cut, original.size()), qPrintable(QString("cut at %1").arg(length)));
    }
    Bytes longer = packed;
    longer.push_back(0x00);
    QVERIFY(!UnpackGuarded(longer, original.size()));
    QVERIFY(!UnpackGuarded(packed, original.size() + 4));
    QVERIFY(!UnpackGuarded(packed, original.size() - 4));
    QVERIFY(UnpackGuarded(packed, original.size()));
  }

  // Damaged or random bytes may unpack to other pixels or be refused, but never read or write
  // outside their spans (the sanitizer build checks the reads, the guards the writes).
  void readsAndWritesNothingOutsideOnDamagedInput() {
    std::mt19937 random(17);
    const Bytes original = Mixed(random, 31, 11);
    const Bytes packed = PackPixels(original);
    int refused = 0;
    for (std::size_t at = 0; at < packed.size(); ++at) {
      for (std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0x3F}, std::uint8_t{0x7F},
                                 std::uint8_t{0xBF}, std::uint8_t{0xFD}, std::uint8_t{0xFE},
                                 std::uint8_t{0xFF}, static_cast<std::uint8_t>(random())}) {
        Bytes damaged = packed;
        damaged[at] = value;
        refused += UnpackGuarded(damaged, original.size()) ? 0 : 1;
      }
    }
    QVERIFY(refused > 0);
    for (int i = 0; i < 2000; ++i) {
      Bytes noise(random() % 300);
      for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
      const std::size_t size = random() % 1200;
      Bytes out;
      if (UnpackGuarded(noise, size, &out)) {
        // What does unpack packs back to pixels that unpack the same.
        Bytes again;
        QVERIFY(UnpackGuarded(PackPixels(out), out.size() - out.size() % 4, &again));
        QVERIFY(std::equal(again.begin(), again.end(), out.begin()));
      }
    }
  }

  // The block's rule in a block of 100 bytes, in cases small enough to follow by hand. Each step
  // keeps a new picture of that many packed bytes (numbered from 0), or "=N" picture N again; what
  // is kept is "picture@offset+length", oldest first.
  void keepsInRoundsOfTheBlock_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("kept");
    QTest::newRow("fills up") << "40 40 20"
                              << "0@0+40 1@40+40 2@80+20";
    QTest::newRow("the next goes at the start, over the oldest") << "40 40 20 30"
                                                                 << "1@40+40 2@80+20 3@0+30";
    QTest::newRow("a picture never straddles the end") << "60 30 20"
                                                       << "1@60+30 2@0+20";
    QTest::newRow("the older ones past the new one stay") << "40 40 20 50 10"
                                                          << "2@80+20 3@0+50 4@50+10";
    QTest::newRow("the end's bytes skipped: their older picture goes before newer ones")
        << "40 40 20 50 60"
        << "4@0+60";
    QTest::newRow("larger than the block: not kept, nothing lost") << "30 101 30"
                                                                   << "0@0+30 2@30+30";
    QTest::newRow("the block's size: kept alone") << "30 100"
                                                  << "1@0+100";
    QTest::newRow("kept again: at the next place, the old one forgotten") << "30 30 =0"
                                                                          << "1@30+30 0@60+30";
  }
  void keepsInRoundsOfTheBlock() {
    QFETCH(QString, steps);
    QFETCH(QString, kept);
    const QStringList words = steps.split(' ');
    std::vector<std::byte> names(static_cast<std::size_t>(words.size()));
    KeptPlaces places(100);
    std::size_t picture = 0;
    for (const QString& word : words) {
      if (word.startsWith('=')) {
        const std::byte* again = &names[word.mid(1).toULongLong()];
        QVERIFY(places.Place(again, 1, 1, places.Find(again)->length) == places.Find(again));
      } else {
        const std::size_t length = word.toULongLong();
        const KeptPlace* place = places.Place(&names[picture++], 1, 1, length);
        QCOMPARE(place != nullptr, length <= 100);
      }
    }
    QStringList described;
    for (const KeptPlace& place : places.Places()) {
      described << QString("%1@%2+%3")
                       .arg(place.encoded - names.data())
                       .arg(place.offset)
                       .arg(place.length);
    }
    QCOMPARE(described.join(' '), kept);
  }

  // Pictures of many sizes kept in a small block through many laps, their packed pixels written
  // where they are placed: after each, the pictures kept are the last ones kept, oldest first;
  // none straddles the end or overlaps another; the block wastes less than two pictures' room;
  // and every one kept still unpacks to its pixels.
  void keepsTheLastPicturesThroughManyLaps() {
    constexpr std::size_t kBlock = 3000;
    std::mt19937 random(19);
    std::vector<Bytes> pictures;
    for (int i = 0; i < 60; ++i) {
      const int width = 1 + static_cast<int>(random() % 40);
      const int height = 1 + static_cast<int>(random() % 12);
      pictures.push_back(i % 3 == 0 ? Noise(random, static_cast<std::size_t>(width * height), true)
                                    : Mixed(random, width, height));
    }
    std::vector<std::byte> names(pictures.size());
    std::vector<std::uint8_t> block(kBlock);
    KeptPlaces places(kBlock);
    std::vector<std::size_t> history;  // the pictures kept, the last one last
    std::size_t largest = 0;
    std::size_t laps = 0;
    std::size_t previous = 0;
    for (int step = 0; step < 3000; ++step) {
      const std::size_t which = random() % pictures.size();
      const Bytes& pixels = pictures[which];
      const std::size_t length = PackedSize(pixels);
      const KeptPlace* place = places.Place(&names[which], 1, 1, length);
      if (length > kBlock) {
        QVERIFY(place == nullptr);
      } else {
        QVERIFY(place != nullptr);
        PackPixels(pixels, {block.data() + place->offset, length});
        std::erase(history, which);
        history.push_back(which);
        largest = std::max(largest, length);
        if (place->offset < previous) ++laps;
        previous = place->offset;
      }

      const auto& kept = places.Places();
      QVERIFY(!kept.empty());
      // The last ones kept, in order.
      QVERIFY(kept.size() <= history.size());
      for (std::size_t i = 0; i < kept.size(); ++i) {
        QCOMPARE(kept[i].encoded, &names[history[history.size() - kept.size() + i]]);
      }
      std::size_t used = 0;
      std::vector<std::pair<std::size_t, std::size_t>> spans;
      for (const KeptPlace& k : kept) {
        QVERIFY(k.offset + k.length <= kBlock);
        spans.emplace_back(k.offset, k.offset + k.length);
        used += k.length;
        Bytes unpacked;
        QVERIFY(UnpackGuarded(
            Bytes(block.begin() + static_cast<std::ptrdiff_t>(k.offset),
                  block.begin() + static_cast<std::ptrdiff_t>(k.offset + k.length)),
            pictures[static_cast<std::size_t>(k.encoded - names.data())].size(), &unpacked));
        QVERIFY(unpacked == pictures[static_cast<std::size_t>(k.encoded - names.data())]);
      }
      std::sort(spans.begin(), spans.end());
      for (std::size_t i = 1; i < spans.size(); ++i) QVERIFY(spans[i - 1].second <= spans[i].first);
      if (laps > 0)
        QVERIFY2(used + 2 * largest > kBlock, qPrintable(QString("%1 bytes used").arg(used)));
    }
    QVERIFY2(laps >= 100, qPrintable(QString("%1 laps").arg(laps)));
  }
};

QTEST_APPLESS_MAIN(PackingTest)
#include "packing_test.moc"
