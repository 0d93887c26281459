// The embedded cell pictures, read back from the program's resources and taken apart byte by byte:
// each must be a plain file of the format and size that its cell declares.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QMap>
#include <QSet>
#include <QtTest>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "forms/qt/resources.h"

using namespace vestora;

namespace {

constexpr qsizetype kMinimumBytes = 3 * 1024;
constexpr qsizetype kMaximumBytes = 50 * 1024;

int Byte(const QByteArray& data, qsizetype at) {
  return static_cast<unsigned char>(data.at(at));
}
int BigEndian16(const QByteArray& data, qsizetype at) {
  return Byte(data, at) << 8 | Byte(data, at + 1);
}
int LittleEndian16(const QByteArray& data, qsizetype at) {
  return Byte(data, at) | Byte(data, at + 1) << 8;
}

// What is wrong with a JPEG file that should be baseline JFIF colour of this size; empty if
// nothing is.
QString JpegProblem(const QByteArray& data, int width, int height) {
  if (data.size() < 4 || BigEndian16(data, 0) != 0xFFD8) return "no SOI marker";
  if (BigEndian16(data, data.size() - 2) != 0xFFD9) return "no EOI marker at the end";
  qsizetype at = 2;
  bool first = true;
  int frames = 0;
  while (true) {
    if (at + 4 > data.size() || Byte(data, at) != 0xFF) return "broken marker structure";
    while (Byte(data, at + 1) == 0xFF) ++at;  // fill bytes
    const int marker = Byte(data, at + 1);
    const int length = BigEndian16(data, at + 2);
    if (length < 2 || at + 2 + length > data.size()) return "segment runs past the end";
    const QByteArray body = data.mid(at + 4, length - 2);
    if (first) {
      if (marker != 0xE0 || !body.startsWith(QByteArray("JFIF", 5))) {
        return "first segment is not APP0 JFIF";
      }
      first = false;
    }
    if (marker == 0xC0) {
      ++frames;
      if (body.size() < 6) return "short SOF0";
      if (Byte(body, 0) != 8) return QString("precision %1, not 8").arg(Byte(body, 0));
      if (BigEndian16(body, 1) != height || BigEndian16(body, 3) != width) {
        return QString("frame is %1x%2").arg(BigEndian16(body, 3)).arg(BigEndian16(body, 1));
      }
      if (Byte(body, 5) != 3) return QString("%1 components, not 3").arg(Byte(body, 5));
    } else if (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
               marker != 0xCC) {
      return QString("SOF%1 frame, not baseline").arg(marker - 0xC0);
    }
    if (marker == 0xDA) break;  // entropy-coded data follows
    at += 2 + length;
  }
  if (frames != 1) return QString("%1 SOF0 frames").arg(frames);
  return {};
}

struct GifImage {
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  // From the graphic control extension just before the image, if there was one.
  std::optional<int> delay;
  bool transparent = false;
  int transparentIndex = 0;
};

struct GifFile {
  QByteArray signature;
  int width = 0, height = 0;
  std::vector<GifImage> images;
  std::vector<int> extensionLabels;
  std::optional<int> loopCount;  // from a NETSCAPE2.0 block
  bool loopBeforeFirstImage = false;
};

// Walks the block structure; an error message if it is broken.
QString ParseGif(const QByteArray& data, GifFile& gif) {
  if (data.size() < 13) return "shorter than a header";
  gif.signature = data.left(6);
  gif.width = LittleEndian16(data, 6);
  gif.height = LittleEndian16(data, 8);
  const int screen = Byte(data, 10);
  qsizetype at = 13;
  if (screen & 0x80) at += 3 * (2 << (screen & 7));
  auto skipSubBlocks = [&data, &at]() {
    while (at < data.size() && Byte(data, at) != 0) at += 1 + Byte(data, at);
    ++at;
    return at <= data.size();
  };
  std::optional<GifImage> control;
  while (true) {
    if (at >= data.size()) return "no trailer";
    const int introducer = Byte(data, at);
    if (introducer == 0x3B) break;
    if (introducer == 0x21) {
      if (at + 2 >= data.size()) return "truncated extension";
      const int label = Byte(data, at + 1);
      gif.extensionLabels.push_back(label);
      at += 2;
      if (label == 0xF9) {
        if (Byte(data, at) != 4) return "graphic control block is not 4 bytes";
        GifImage next;
        next.transparent = Byte(data, at + 1) & 1;
        next.delay = LittleEndian16(data, at + 2);
        next.transparentIndex = Byte(data, at + 4);
        control = next;
      } else if (label == 0xFF && Byte(data, at) == 11 &&
                 data.mid(at + 1, 11) == QByteArray("NETSCAPE2.0")) {
        const qsizetype sub = at + 12;
        if (Byte(data, sub) == 3 && Byte(data, sub + 1) == 1) {
          gif.loopCount = LittleEndian16(data, sub + 2);
          gif.loopBeforeFirstImage = gif.images.empty();
        }
      }
      if (!skipSubBlocks()) return "truncated extension data";
    } else if (introducer == 0x2C) {
      if (at + 10 > data.size()) return "truncated image descriptor";
      GifImage image = control.value_or(GifImage{});
      control.reset();
      image.left = LittleEndian16(data, at + 1);
      image.top = LittleEndian16(data, at + 3);
      image.width = LittleEndian16(data, at + 5);
      image.height = LittleEndian16(data, at + 7);
      const int packed = Byte(data, at + 9);
      image.interlaced = packed & 0x40;
      at += 10;
      if (packed & 0x80) at += 3 * (2 << (packed & 7));
      ++at;  // LZW minimum code size
      if (!skipSubBlocks()) return "truncated image data";
      gif.images.push_back(image);
    } else {
      return QString("unknown block 0x%1").arg(introducer, 2, 16, QChar('0'));
    }
  }
  return {};
}

QString GifProblem(const QByteArray& data, ImageFormat format, int width, int height) {
  GifFile gif;
  if (QString broken = ParseGif(data, gif); !broken.isEmpty()) return broken;
  const bool animated = format == ImageFormat::GIF89a;
  if (gif.signature != (animated ? "GIF89a" : "GIF87a")) return "signature " + gif.signature;
  if (gif.width != width || gif.height != height) {
    return QString("screen is %1x%2").arg(gif.width).arg(gif.height);
  }
  for (const GifImage& image : gif.images) {
    if (image.left != 0 || image.top != 0 || image.width != width || image.height != height) {
      return "an image does not cover the whole picture";
    }
    if (image.interlaced) return "an image is interlaced";
  }
  if (!animated) {
    if (!gif.extensionLabels.empty()) return "GIF87a file with extension blocks";
    if (gif.images.size() != 1) return QString("%1 images, not 1").arg(gif.images.size());
    return {};
  }
  if (gif.loopCount != 0 || !gif.loopBeforeFirstImage) return "no NETSCAPE2.0 loop-forever block";
  if (gif.images.size() != 6) return QString("%1 frames, not 6").arg(gif.images.size());
  for (std::size_t i = 0; i < gif.images.size(); ++i) {
    const GifImage& frame = gif.images[i];
    if (frame.delay != 50) return QString("frame %1 has no 50/100 s delay").arg(i + 1);
    if (i == 0 && frame.transparent) return "the first frame has a transparent colour";
    if (i > 0 && (!frame.transparent || frame.transparentIndex != 0)) {
      return QString("frame %1 is not transparent at index 0").arg(i + 1);
    }
  }
  return {};
}

QString FileProblem(const QByteArray& data, const ImageInfo& info) {
  return info.format == ImageFormat::JPEG ? JpegProblem(data, info.width, info.height)
                                          : GifProblem(data, info.format, info.width, info.height);
}

QString FileName(const Category& category, const ItemCell& cell) {
  return QString::fromStdString(PictureFileName(category, cell));
}

QByteArray Embedded(const QString& fileName) {
  return qt::ReadResource(qt::PicturePath(fileName.toStdString()));
}

const ItemCell& CellWithPicture(std::string_view window, int pictureBox) {
  for (const ItemCell& cell : CategoryByWindow(window)->cells) {
    if (cell.pictureBox == pictureBox) return cell;
  }
  qFatal("no such cell");
}

QByteArray JpegOf(const QImage& image, bool progressive) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setProgressiveScanWrite(progressive);
  writer.write(image);
  return bytes;
}

}  // namespace

Q_DECLARE_METATYPE(vestora::ImageFormat)

class PictureFilesTest : public QObject {
  Q_OBJECT

 private:
  static void EveryCell() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<ImageFormat>("format");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    for (const Category& category : Catalog()) {
      for (const ItemCell& cell : category.cells) {
        const QString name = FileName(category, cell);
        QTest::newRow(qPrintable(name))
            << name << cell.image.format << cell.image.width << cell.image.height;
      }
    }
  }

 private slots:
  void fileIsWhatTheCellDeclares_data() { EveryCell(); }
  void fileIsWhatTheCellDeclares() {
    QFETCH(QString, fileName);
    QFETCH(ImageFormat, format);
    QFETCH(int, width);
    QFETCH(int, height);
    const QByteArray data = Embedded(fileName);
    QVERIFY2(!data.isEmpty(), "not embedded");
    QVERIFY2(data.size() >= kMinimumBytes && data.size() <= kMaximumBytes,
             qPrintable(QString("%1 bytes").arg(data.size())));
    const QString problem = FileProblem(data, {format, width, height});
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }

  // Qt, which shows the pictures, reads each one at its natural size; the animations as six
  // half-second frames that loop forever.
  void qtDecodesAtNaturalSize_data() { EveryCell(); }
  void qtDecodesAtNaturalSize() {
    QFETCH(QString, fileName);
    QFETCH(ImageFormat, format);
    QFETCH(int, width);
    QFETCH(int, height);
    QByteArray data = Embedded(fileName);
    QImage image;
    QVERIFY(image.loadFromData(data));
    QCOMPARE(image.size(), QSize(width, height));
    if (format == ImageFormat::GIF89a) {
      QBuffer buffer(&data);
      QImageReader reader(&buffer, "gif");
      QCOMPARE(reader.imageCount(), 6);
      QCOMPARE(reader.loopCount(), -1);
      int frames = 0;
      while (reader.canRead()) {
        QCOMPARE(reader.read().size(), QSize(width, height));
        QCOMPARE(reader.nextImageDelay(), 500);
        ++frames;
      }
      QCOMPARE(frames, 6);
    }
  }

  // One item is offered in two categories with one picture; every other cell has its own.
  void onlyTheSharedItemRepeatsAPicture() {
    QMap<QByteArray, QStringList> byContent;
    for (const Category& category : Catalog()) {
      for (const ItemCell& cell : category.cells) {
        byContent[Embedded(FileName(category, cell))] << FileName(category, cell);
      }
    }
    QCOMPARE(byContent.size(), kCellCount - 1);
    const QString cartoon = FileName(*CategoryByWindow("Form9"), CellWithPicture("Form9", 3));
    const QString love = FileName(*CategoryByWindow("Form11"), CellWithPicture("Form11", 5));
    QCOMPARE(byContent.value(Embedded(cartoon)), QStringList({cartoon, love}));
  }

  // The checks above must tell a faulty file from a good one.
  void checksCatchFaultyFiles_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<ImageFormat>("format");
    QTest::addColumn<QString>("expected");

    QImage colour(140, 226, QImage::Format_RGB32);
    colour.fill(QColor(200, 120, 80));
    QTest::newRow("progressive JPEG") << JpegOf(colour, true) << ImageFormat::JPEG << "SOF2";
    QTest::newRow("grayscale JPEG")
        << JpegOf(colour.convertToFormat(QImage::Format_Grayscale8), false) << ImageFormat::JPEG
        << "1 components";
    QTest::newRow("JPEG of another size")
        << JpegOf(colour.scaled(141, 226), false) << ImageFormat::JPEG << "frame is 141x226";

    const QByteArray still =
        Embedded(FileName(*CategoryByWindow("Form4"), CellWithPicture("Form4", 3)));
    const QByteArray animation =
        Embedded(FileName(*CategoryByWindow("Form4"), CellWithPicture("Form4", 1)));
    QTest::newRow("GIF89a where GIF87a is declared")
        << animation << ImageFormat::GIF87a << "signature GIF89a";
    QTest::newRow("GIF87a where GIF89a is declared")
        << still << ImageFormat::GIF89a << "signature GIF87a";

    // The image descriptor of the still picture comes right after its 256-colour table.
    const qsizetype descriptor = 13 + 3 * 256;
    QVERIFY(Byte(still, descriptor) == 0x2C);
    QByteArray interlaced = still;
    interlaced[descriptor + 9] = static_cast<char>(Byte(still, descriptor + 9) | 0x40);
    QTest::newRow("interlaced GIF87a") << interlaced << ImageFormat::GIF87a << "interlaced";
    QByteArray commented = still;
    commented.insert(descriptor, QByteArray("\x21\xFE\x02hi\x00", 6));
    QTest::newRow("GIF87a with a comment") << commented << ImageFormat::GIF87a << "extension";

    // The first graphic control block follows the 19-byte NETSCAPE2.0 block.
    const qsizetype control = descriptor + 19;
    QVERIFY(Byte(animation, control) == 0x21 && Byte(animation, control + 1) == 0xF9);
    QByteArray quick = animation;
    quick[control + 4] = 40;
    QTest::newRow("frame delay 40") << quick << ImageFormat::GIF89a << "frame 1 has no";
    QByteArray seeThrough = animation;
    seeThrough[control + 3] = static_cast<char>(Byte(animation, control + 3) | 1);
    QTest::newRow("transparent first frame")
        << seeThrough << ImageFormat::GIF89a << "first frame has a transparent";
    QByteArray once = animation;
    once[descriptor + 16] = 1;  // loop count, low byte
    QTest::newRow("plays once") << once << ImageFormat::GIF89a << "NETSCAPE2.0";
    QTest::newRow("truncated GIF")
        << animation.left(animation.size() / 2) << ImageFormat::GIF89a << "truncated";
  }
  void checksCatchFaultyFiles() {
    QFETCH(QByteArray, data);
    QFETCH(ImageFormat, format);
    QFETCH(QString, expected);
    const QString problem = FileProblem(data, {format, 140, 226});
    QVERIFY2(problem.contains(expected), qPrintable("reported: '" + problem + "'"));
  }
};

QTEST_GUILESS_MAIN(PictureFilesTest)
#include "picture_files_test.moc"
