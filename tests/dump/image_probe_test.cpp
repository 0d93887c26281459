// The picture probe on small hand-made files. Every fixture is written out byte by byte so that
// the bytes a careless reader would trip over (an SOF marker inside APP0, "," and ";" inside GIF
// sub-blocks and colour tables) sit exactly where the structure says they are data.
#include "tools/catalog_dump/image_probe.h"

#include <QByteArray>
#include <QTest>
#include <cstdint>
#include <vector>

using vestora::ImageFormat;
using vestora::dump::ImageFacts;
using vestora::dump::ProbeImage;

Q_DECLARE_METATYPE(std::optional<ImageFormat>)

namespace {

ImageFacts Probe(const QByteArray& bytes, qsizetype length) {
  return ProbeImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                              static_cast<std::size_t>(length)));
}

ImageFacts Probe(const QByteArray& bytes) {
  return Probe(bytes, bytes.size());
}

// GIF89a, 3 x 2 logical screen with a two-entry global colour table; a looping application
// extension, then two frames each behind a graphic control extension, a comment between them, and
// a local colour table on the second frame.
const QByteArray kAnimatedGif =
    QByteArray("GIF89a") +
    QByteArray::fromHex(
        "0300 0200 80 00 00"                           // screen 3 x 2, global table of 2 entries
        "2c3b21 000000"                                // global colour table
        "21ff 0b 4e45545343415045322e30 03 010000 00"  // NETSCAPE2.0, loop forever
        "21f9 04 040a0000 00"                          // graphic control
        "2c 0000 0000 0300 0200 00"                    // frame 1, no local table
        "02 03 2c3b21 02 3b2c 00"                      // LZW code size, two data sub-blocks
        "21fe 05 612c623b63 00"                        // comment "a,b;c"
        "21f9 04 040a0000 00"                          // graphic control
        "2c 0100 0000 0200 0200 81"                    // frame 2, local table of 4 entries
        "3b3b3b 2c2c2c 212121 000000"                  // local colour table
        "02 04 2c2c3b3b 00"                            // LZW code size, one data sub-block
        "3b");                                         // trailer

// GIF87a, 10 x 5, no global table, one frame.
const QByteArray kStillGif = QByteArray("GIF87a") + QByteArray::fromHex(
                                                        "0a00 0500 00 00 00"
                                                        "2c 0000 0000 0a00 0500 00"
                                                        "02 01 44 00"
                                                        "3b");

// Baseline JPEG, 141 x 228: SOI, a JFIF APP0 whose density happens to read FF C0, a DQT
// fragment, SOF0, a DHT fragment, SOS with a byte of scan data, EOI.
const QByteArray kJpeg = QByteArray::fromHex(
    "ffd8"
    "ffe0 0010 4a46494600 0102 01 ffc0 0048 00 00"    // APP0: JFIF, density 65472 x 72
    "ffdb 0005 00 ffc0"                               // DQT with stray bytes
    "ffc0 0011 08 00e4 008d 03 012200 021101 031101"  // SOF0: 228 lines, 141 samples per line
    "ffc4 0006 00 ffc2 01"                            // DHT with stray bytes
    "ffda 0008 01 0100 003f00"                        // SOS
    "a5"
    "ffd9");
// Where the SOF0 segment ends: everything needed for the size is there from this length on.
constexpr qsizetype kJpegFrameHeaderEnd = 2 + 18 + 7 + 19;

}  // namespace

class ImageProbeTest : public QObject {
  Q_OBJECT

 private slots:
  void readsWholeFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::optional<ImageFormat>>("format");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("frames");

    const auto jpeg = std::optional(ImageFormat::JPEG);
    const auto none = std::optional<ImageFormat>();
    QTest::newRow("GIF89a, two frames behind extensions")
        << kAnimatedGif << std::optional(ImageFormat::GIF89a) << true << 3 << 2 << 2;
    QTest::newRow("GIF87a, one frame")
        << kStillGif << std::optional(ImageFormat::GIF87a) << true << 10 << 5 << 1;
    QTest::newRow("JPEG, SOF0 after APP0") << kJpeg << jpeg << true << 141 << 228 << 1;
    QTest::newRow("JPEG, progressive SOF2 after DHT and fill bytes")
        << QByteArray::fromHex("ffd8 ffc4 0004 ffc0 ffff ffc2 000b 08 0020 0030 01 011100") << jpeg
        << true << 48 << 32 << 1;
    QTest::newRow("JPEG, standalone markers before the frame header")
        << QByteArray::fromHex("ffd8 ff01 ffd3 ffc1 000b 08 0001 0100 01 011100") << jpeg << true
        << 256 << 1 << 1;

    // Recognised but unusable: the size is never reported.
    QTest::newRow("JPEG, scan before any frame header")
        << QByteArray::fromHex("ffd8 ffda 0008 01 0100 003f00 ffc0 000b 08 0020 0030 01 011100")
        << jpeg << false << 0 << 0 << 0;
    QTest::newRow("JPEG, end of image before any frame header")
        << QByteArray::fromHex("ffd8 ffd9") << jpeg << false << 0 << 0 << 0;
    QTest::newRow("JPEG, frame header too short to hold the size")
        << QByteArray::fromHex("ffd8 ffc0 0005 08 0020 00") << jpeg << false << 0 << 0 << 0;
    QTest::newRow("JPEG, segment length below two")
        << QByteArray::fromHex("ffd8 ffe0 0001 ffc0 000b 08 0020 0030 01 011100") << jpeg << false
        << 0 << 0 << 0;
    QTest::newRow("JPEG, data where a marker belongs")
        << QByteArray::fromHex("ffd8 00 ffc0 000b 08 0020 0030 01 011100") << jpeg << false << 0
        << 0 << 0;
    QTest::newRow("GIF, unknown block between frames")
        << QByteArray("GIF89a") + QByteArray::fromHex(
                                      "0100 0100 00 00 00 2c00000000010001000002"
                                      "014400 00 3b")
        << std::optional(ImageFormat::GIF89a) << false << 0 << 0 << 0;

    // Not a JPEG or GIF at all.
    QTest::newRow("empty") << QByteArray() << none << false << 0 << 0 << 0;
    QTest::newRow("PNG") << QByteArray::fromHex("89504e470d0a1a0a") << none << false << 0 << 0 << 0;
    QTest::newRow("GIF88a") << QByteArray("GIF88a") + kStillGif.mid(6) << none << false << 0 << 0
                            << 0;
    QTest::newRow("lone FF") << QByteArray::fromHex("ff") << none << false << 0 << 0 << 0;
  }

  void readsWholeFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(std::optional<ImageFormat>, format);
    QFETCH(bool, complete);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, frames);

    const ImageFacts facts = Probe(bytes);
    QCOMPARE(facts.format, format);
    QCOMPARE(facts.complete, complete);
    if (complete) {
      QCOMPARE(facts.width, width);
      QCOMPARE(facts.height, height);
      QCOMPARE(facts.frames, frames);
    }
  }

  // Each prefix is handed over as a view into the whole file, so a read past the view's end would
  // find the real bytes and report the file as complete; and once more as a copy of exactly that
  // length, for the address sanitizer to catch such a read.
  void truncatedFilesAreNeverComplete_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qsizetype>("neededLength");
    QTest::newRow("GIF89a") << kAnimatedGif << kAnimatedGif.size();
    QTest::newRow("GIF87a") << kStillGif << kStillGif.size();
    QTest::newRow("JPEG") << kJpeg << kJpegFrameHeaderEnd;
  }

  void truncatedFilesAreNeverComplete() {
    QFETCH(QByteArray, bytes);
    QFETCH(qsizetype, neededLength);

    for (qsizetype length = 0; length < neededLength; ++length) {
      const ImageFacts facts = Probe(bytes, length);
      QVERIFY2(!facts.complete, qPrintable(QStringLiteral("length %1").arg(length)));
      const std::vector<std::uint8_t> copy(bytes.begin(), bytes.begin() + length);
      QVERIFY(!ProbeImage(copy).complete);
      // The signature alone is enough to name the format.
      const qsizetype signatureLength = bytes.startsWith("GIF") ? 6 : 2;
      QCOMPARE(facts.format.has_value(), length >= signatureLength);
    }
    const ImageFacts whole = Probe(bytes, neededLength);
    QVERIFY(whole.complete);
    QCOMPARE(whole.width, Probe(bytes).width);
    QCOMPARE(whole.height, Probe(bytes).height);
  }
};

QTEST_APPLESS_MAIN(ImageProbeTest)
#include "image_probe_test.moc"
