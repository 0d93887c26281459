// The program icon as embedded in the executable, read with a parser of its own: the .ico layout
// that the Windows build and the resource script rely on, and the pictures inside it.

#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "bytes.h"
#include "forms/qt/resources.h"

using vestora::test::U16;
using vestora::test::U32;
using vestora::test::U8;

namespace {

struct Expected {
  int size;
  int bitCount;
  qsizetype bytes;
};

// In file order.
constexpr Expected kImages[] = {{48, 8, 3752},  {32, 8, 2216},     {24, 8, 1736},
                                {16, 8, 1384},  {256, 32, 270376}, {48, 32, 9640},
                                {32, 32, 4264}, {24, 32, 2440},    {16, 32, 1128}};
constexpr int kImageCount = 9;
constexpr qsizetype kFirstImageOffset = 6 + 16 * kImageCount;
constexpr qsizetype kFileBytes = 297086;

// An icon image's pixels, top row first: the colour as stored (straight alpha for 32 bits,
// opaque palette colours for 8 bits) and whether the AND mask lets the background through.
struct Pixels {
  int size = 0;
  std::vector<QRgb> colour;
  std::vector<bool> masked;

  QRgb At(int x, int y) const { return colour[std::size_t(y) * size + x]; }
  bool MaskedAt(int x, int y) const { return masked[std::size_t(y) * size + x]; }
};

Pixels Decode(const QByteArray& image) {
  Pixels pixels;
  const int size = int(U32(image, 4));
  const int bitCount = int(U16(image, 14));
  pixels.size = size;
  const qsizetype palette = 40;
  const qsizetype bitmap = palette + (bitCount == 8 ? 1024 : 0);
  const qsizetype rowBytes = (qsizetype(size) * bitCount + 31) / 32 * 4;
  const qsizetype mask = bitmap + rowBytes * size;
  const qsizetype maskRowBytes = (size + 31) / 32 * 4;
  for (int y = 0; y < size; ++y) {
    const int row = size - 1 - y;  // bottom-up
    for (int x = 0; x < size; ++x) {
      const qsizetype at = bitmap + row * rowBytes + qsizetype(x) * bitCount / 8;
      if (bitCount == 8) {
        const qsizetype entry = palette + 4 * qsizetype(U8(image, at));
        pixels.colour.push_back(
            qRgb(int(U8(image, entry + 2)), int(U8(image, entry + 1)), int(U8(image, entry))));
      } else {
        pixels.colour.push_back(qRgba(int(U8(image, at + 2)), int(U8(image, at + 1)),
                                      int(U8(image, at)), int(U8(image, at + 3))));
      }
      pixels.masked.push_back((U8(image, mask + row * maskRowBytes + x / 8) >> (7 - x % 8)) & 1);
    }
  }
  return pixels;
}

QString IconDirectory() {
  return QStringLiteral(VESTORA_ICON_DIR);
}

}  // namespace

class IconFileTest : public QObject {
  Q_OBJECT

 private:
  QByteArray ico_;

  QByteArray Entry(int index) const { return ico_.mid(6 + 16 * qsizetype(index), 16); }
  QByteArray Image(int index) const {
    const QByteArray entry = Entry(index);
    return ico_.mid(U32(entry, 12), U32(entry, 8));
  }
  // The index of the image with that size and bit count.
  static int IndexOf(int size, int bitCount) {
    for (int i = 0; i < kImageCount; ++i) {
      if (kImages[i].size == size && kImages[i].bitCount == bitCount) return i;
    }
    return -1;
  }

 private slots:
  void initTestCase() {
    ico_ = vestora::qt::ReadResource(vestora::qt::kIconPath);
    QVERIFY2(!ico_.isEmpty(), "the icon is not embedded");
  }

  void fileHeader() {
    QCOMPARE(ico_.size(), kFileBytes);
    QCOMPARE(U16(ico_, 0), 0u);  // reserved
    QCOMPARE(U16(ico_, 2), 1u);  // icon, not cursor
    QCOMPARE(U16(ico_, 4), std::uint32_t(kImageCount));
    // The images fill the file from the end of the directory on, in directory order.
    qsizetype offset = kFirstImageOffset;
    for (int i = 0; i < kImageCount; ++i) {
      QCOMPARE(qsizetype(U32(Entry(i), 12)), offset);
      offset += U32(Entry(i), 8);
    }
    QCOMPARE(offset, kFileBytes);
  }

  void image_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < kImageCount; ++i) {
      QTest::addRow("%d: %dx%d %d bpp", i + 1, kImages[i].size, kImages[i].size,
                    kImages[i].bitCount)
          << i;
    }
  }

  void image() {
    QFETCH(int, index);
    const Expected& expected = kImages[index];
    const QByteArray entry = Entry(index);
    const std::uint32_t sizeByte = expected.size == 256 ? 0 : std::uint32_t(expected.size);
    QCOMPARE(U8(entry, 0), sizeByte);  // width
    QCOMPARE(U8(entry, 1), sizeByte);  // height
    QCOMPARE(U8(entry, 2), 0u);        // colour count
    QCOMPARE(U8(entry, 3), 0u);        // reserved
    QCOMPARE(U16(entry, 4), 1u);       // planes
    QCOMPARE(U16(entry, 6), std::uint32_t(expected.bitCount));
    QCOMPARE(qsizetype(U32(entry, 8)), expected.bytes);

    const QByteArray image = Image(index);
    QCOMPARE(image.size(), expected.bytes);
    QCOMPARE(U32(image, 0), 40u);  // BITMAPINFOHEADER, not PNG
    QCOMPARE(U32(image, 4), std::uint32_t(expected.size));
    QCOMPARE(U32(image, 8), std::uint32_t(2 * expected.size));  // colour bitmap and mask
    QCOMPARE(U16(image, 12), 1u);
    QCOMPARE(U16(image, 14), std::uint32_t(expected.bitCount));
    QCOMPARE(U32(image, 16), 0u);  // BI_RGB
    const qsizetype palette = expected.bitCount == 8 ? 1024 : 0;
    const qsizetype colourBytes = (qsizetype(expected.size) * expected.bitCount + 31) / 32 * 4;
    const qsizetype maskBytes = (expected.size + 31) / 32 * 4;
    QCOMPARE(qsizetype(U32(image, 20)), (colourBytes + maskBytes) * expected.size);
    QCOMPARE(expected.bytes, 40 + palette + (colourBytes + maskBytes) * expected.size);
    if (expected.bitCount == 8) {
      const std::uint32_t used = U32(image, 32);
      QVERIFY(used == 0 || used == 256);
      for (int i = 0; i < 256; ++i) QCOMPARE(U8(image, 40 + 4 * i + 3), 0u);
    }
  }

  // Both depths show the same picture with the same outline: transparent corners, an opaque
  // middle, 32-bit masks that match alpha, and 8-bit colours close to the 32-bit ones.
  void transparency_data() {
    QTest::addColumn<int>("size");
    for (int size : {256, 48, 32, 24, 16}) QTest::addRow("%d", size) << size;
  }

  void transparency() {
    QFETCH(int, size);
    const Pixels full = Decode(Image(IndexOf(size, 32)));
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        QCOMPARE(full.MaskedAt(x, y), qAlpha(full.At(x, y)) == 0);
        if (full.MaskedAt(x, y)) QCOMPARE(full.At(x, y), QRgb(0));
      }
    }
    for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}}) {
      QVERIFY(full.MaskedAt(x, y));
    }
    QCOMPARE(qAlpha(full.At(size / 2, size / 2)), 255);

    const int index8 = IndexOf(size, 8);
    if (index8 < 0) return;
    const Pixels paletted = Decode(Image(index8));
    int worst = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const QRgb c = paletted.At(x, y);
        const QRgb f = full.At(x, y);
        QCOMPARE(paletted.MaskedAt(x, y), qAlpha(f) < 128);
        // Black under the mask, so the colour bitmap adds nothing where the background shows.
        if (paletted.MaskedAt(x, y)) {
          QCOMPARE(c, qRgb(0, 0, 0));
          continue;
        }
        worst = std::max({worst, std::abs(qRed(c) - qRed(f)), std::abs(qGreen(c) - qGreen(f)),
                          std::abs(qBlue(c) - qBlue(f))});
      }
    }
    QVERIFY2(worst <= 8, qPrintable(QStringLiteral("8-bit colour off by %1").arg(worst)));
  }

  // The one-image .ico files next to the icon, one per image, for the Windows resources.
  void singleImageFiles() {
    for (int i = 0; i < kImageCount; ++i) {
      QFile file(QStringLiteral("%1/vestora-%2.ico").arg(IconDirectory()).arg(30001 + i));
      QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
      const QByteArray single = file.readAll();
      QByteArray expected = ico_.left(4) + QByteArray("\x01\x00", 2) + Entry(i).left(12);
      expected += QByteArray("\x16\x00\x00\x00", 4) + Image(i);
      QVERIFY2(single == expected, qPrintable(file.fileName()));
    }
  }

  // The hicolor PNG icons for desktop integration are the same drawing as the icon's images.
  void hicolorIcons_data() {
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 32, 48, 64, 128, 256}) QTest::addRow("%d", size) << size;
  }

  void hicolorIcons() {
    QFETCH(int, size);
    const QString path =
        QStringLiteral("%1/hicolor/%2x%2/apps/vestora.png").arg(IconDirectory()).arg(size);
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage png = reader.read().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(png.size(), QSize(size, size));
    QCOMPARE(qAlpha(png.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(png.pixel(size / 2, size / 2)), 255);
    const int index = IndexOf(size, 32);
    if (index < 0) return;
    const Pixels icon = Decode(Image(index));
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) QCOMPARE(png.pixel(x, y), icon.At(x, y));
    }
  }

  void qtReadsEveryImage() {
    QBuffer buffer(&ico_);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QCOMPARE(reader.imageCount(), kImageCount);
    for (int i = 0; i < kImageCount; ++i) {
      QVERIFY(reader.jumpToImage(i));
      const QImage image = reader.read();
      QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
      QCOMPARE(image.size(), QSize(kImages[i].size, kImages[i].size));
      QCOMPARE(image.hasAlphaChannel(), true);
    }

    QList<QSize> sizes = QIcon(vestora::qt::kIconPath).availableSizes();
    std::sort(sizes.begin(), sizes.end(),
              [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    QCOMPARE(sizes, (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {256, 256}}));
  }
};

QTEST_MAIN(IconFileTest)
#include "icon_file_test.moc"
