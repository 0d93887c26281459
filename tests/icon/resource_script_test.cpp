// The Windows resource script, compiled by the MinGW resource compiler into a .res file and read
// back with a parser of its own: the icon resources and the version information that Explorer
// shows for Vestora.exe.

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <stdexcept>
#include <utility>
#include <vector>

#include "bytes.h"
#include "forms/qt/resources.h"

using vestora::test::U16;
using vestora::test::U32;
using vestora::test::U8;

namespace {

constexpr std::uint32_t kRtIcon = 3;
constexpr std::uint32_t kRtGroupIcon = 14;
constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kLanguageNeutral = 0x0000;
constexpr std::uint32_t kChineseSimplified = 0x0804;
constexpr int kIconImages = 9;
constexpr std::uint32_t kFirstIconId = 30001;

qsizetype AlignedTo4(qsizetype at) {
  return (at + 3) & ~qsizetype(3);
}

// A resource type or name: an ordinal, or a string when it is not one.
struct Id {
  std::uint32_t ordinal = 0;
  QString name;

  bool IsOrdinal(std::uint32_t value) const { return name.isEmpty() && ordinal == value; }
};

struct Resource {
  Id type;
  Id name;
  std::uint32_t dataVersion;
  std::uint32_t memoryFlags;
  std::uint32_t language;
  std::uint32_t version;
  std::uint32_t characteristics;
  QByteArray data;
};

// A UTF-16 string ending with a null character at `at`; `at` moves past the null.
QString ReadUtf16(const QByteArray& bytes, qsizetype& at) {
  QString text;
  for (std::uint32_t c = U16(bytes, at); c != 0; c = U16(bytes, at)) {
    text.append(QChar(char16_t(c)));
    at += 2;
  }
  at += 2;
  return text;
}

Id ReadId(const QByteArray& bytes, qsizetype& at) {
  if (U16(bytes, at) == 0xffff) {
    const Id id{U16(bytes, at + 2), {}};
    at += 4;
    return id;
  }
  return {0, ReadUtf16(bytes, at)};
}

// The resources of a .res file, less the empty entry that opens every such file.
std::vector<Resource> ParseRes(const QByteArray& res) {
  // The opening entry marks the file as 32-bit: no data, a 32-byte header, ordinals 0 and 0.
  if (!res.startsWith(QByteArray::fromHex("0000000020000000ffff0000ffff0000") +
                      QByteArray(16, '\0'))) {
    throw std::runtime_error("not a 32-bit .res file");
  }
  std::vector<Resource> resources;
  for (qsizetype at = 32; at < res.size();) {
    const qsizetype start = at;
    const std::uint32_t dataSize = U32(res, at);
    const std::uint32_t headerSize = U32(res, at + 4);
    at += 8;
    Resource resource;
    resource.type = ReadId(res, at);
    resource.name = ReadId(res, at);
    at = AlignedTo4(at);
    resource.dataVersion = U32(res, at);
    resource.memoryFlags = U16(res, at + 4);
    resource.language = U16(res, at + 6);
    resource.version = U32(res, at + 8);
    resource.characteristics = U32(res, at + 12);
    at += 16;
    if (at - start != qsizetype(headerSize)) throw std::runtime_error("header size mismatch");
    if (at + qsizetype(dataSize) > res.size()) throw std::runtime_error("data past the end");
    resource.data = res.mid(at, dataSize);
    resources.push_back(resource);
    at = AlignedTo4(at + dataSize);
  }
  return resources;
}

// One node of VS_VERSIONINFO: VS_VERSIONINFO itself, StringFileInfo, StringTable, String,
// VarFileInfo or Var.
struct VersionNode {
  QString key;
  std::uint32_t type;  // 1 for text, 0 for binary
  QByteArray value;    // the value's bytes; for text, UTF-16 without the closing null
  std::vector<VersionNode> children;
};

VersionNode ParseVersionNode(const QByteArray& bytes, qsizetype start) {
  const qsizetype length = U16(bytes, start);
  const std::uint32_t valueLength = U16(bytes, start + 2);
  VersionNode node;
  node.type = U16(bytes, start + 4);
  qsizetype at = start + 6;
  node.key = ReadUtf16(bytes, at);
  at = AlignedTo4(at);
  // Text values count characters, the closing null included; binary ones count bytes.
  const qsizetype valueBytes = node.type == 1 ? 2 * qsizetype(valueLength) : valueLength;
  node.value = bytes.mid(at, valueBytes);
  if (node.type == 1) {
    while (node.value.endsWith(QByteArray(2, '\0'))) node.value.chop(2);
  }
  at = AlignedTo4(at + valueBytes);
  const qsizetype end = start + length;
  if (length < 6 || end > bytes.size()) throw std::runtime_error("version node out of range");
  while (at < end) {
    node.children.push_back(ParseVersionNode(bytes, at));
    at = AlignedTo4(at + U16(bytes, at));
  }
  return node;
}

QString Text(const QByteArray& utf16) {
  return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

QStringList Keys(const VersionNode& node) {
  QStringList keys;
  for (const VersionNode& child : node.children) keys << child.key;
  return keys;
}

}  // namespace

class ResourceScriptTest : public QObject {
  Q_OBJECT

 private:
  QByteArray ico_;
  std::vector<Resource> resources_;

  const Resource* Find(std::uint32_t type, std::uint32_t name) const {
    for (const Resource& r : resources_) {
      if (r.type.IsOrdinal(type) && r.name.IsOrdinal(name)) return &r;
    }
    return nullptr;
  }

  QByteArray IcoEntry(int index) const { return ico_.mid(6 + 16 * qsizetype(index), 16); }

 private slots:
  void initTestCase() {
    ico_ = vestora::qt::ReadResource(vestora::qt::kIconPath);
    QVERIFY2(!ico_.isEmpty(), "the icon is not embedded");

    const QString windres = QStringLiteral(VESTORA_WINDRES);
    QVERIFY2(QFileInfo(windres).isExecutable(),
             "i686-w64-mingw32-windres was not found: install binutils-mingw-w64-i686 and "
             "configure again");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString res = folder.filePath(QStringLiteral("vestora.res"));
    // The host compiler preprocesses: the MinGW C compiler that windres would ask for is not
    // needed for a script that includes nothing.
    QProcess windresRun;
    windresRun.start(windres, {QStringLiteral("--preprocessor=" VESTORA_RC_PREPROCESSOR),
                               QStringLiteral("--preprocessor-arg=-E"),
                               QStringLiteral("--preprocessor-arg=-xc"), QStringLiteral("-O"),
                               QStringLiteral("res"), QStringLiteral(VESTORA_RC_FILE), res});
    QVERIFY(windresRun.waitForFinished(60000));
    QVERIFY2(windresRun.exitStatus() == QProcess::NormalExit && windresRun.exitCode() == 0,
             windresRun.readAllStandardError().constData());
    QFile file(res);
    QVERIFY(file.open(QIODevice::ReadOnly));
    try {
      resources_ = ParseRes(file.readAll());
    } catch (const std::exception& e) {
      QFAIL(e.what());
    }
  }

  void everyResourceIsExpected() {
    QCOMPARE(int(resources_.size()), kIconImages + 2);
    for (const Resource& r : resources_) {
      QVERIFY(r.type.name.isEmpty() && r.name.name.isEmpty());
      QCOMPARE(r.dataVersion, 0u);
      QCOMPARE(r.version, 0u);
      QCOMPARE(r.characteristics, 0u);
    }
    QVERIFY(Find(kRtGroupIcon, 1) != nullptr);
    QVERIFY(Find(kRtVersion, 1) != nullptr);
  }

  // RT_ICON 30001..30009 are the images of the embedded icon, in its order.
  void iconImages() {
    for (int i = 0; i < kIconImages; ++i) {
      const Resource* icon = Find(kRtIcon, kFirstIconId + std::uint32_t(i));
      QVERIFY2(icon != nullptr, qPrintable(QString::number(kFirstIconId + i)));
      QCOMPARE(icon->language, kLanguageNeutral);
      const QByteArray entry = IcoEntry(i);
      QCOMPARE(icon->data, ico_.mid(U32(entry, 12), U32(entry, 8)));
    }
  }

  void iconGroup() {
    const Resource* group = Find(kRtGroupIcon, 1);
    QVERIFY(group != nullptr);
    QCOMPARE(group->language, kLanguageNeutral);
    const QByteArray& data = group->data;
    QCOMPARE(data.size(), 6 + 14 * kIconImages);
    QCOMPARE(data.left(6), ico_.left(6));  // reserved 0, type 1, count 9
    for (int i = 0; i < kIconImages; ++i) {
      const QByteArray entry = data.mid(6 + 14 * qsizetype(i), 14);
      // Width, height, colours, reserved, planes, bit count and size as in the .ico file, then
      // the RT_ICON id in place of the file offset.
      QCOMPARE(entry.left(12), IcoEntry(i).left(12));
      QCOMPARE(U16(entry, 12), kFirstIconId + std::uint32_t(i));
    }
  }

  void versionInformation() {
    const Resource* version = Find(kRtVersion, 1);
    QVERIFY(version != nullptr);
    QCOMPARE(version->language, kChineseSimplified);
    const QByteArray& data = version->data;
    VersionNode root;
    try {
      root = ParseVersionNode(data, 0);
    } catch (const std::exception& e) {
      QFAIL(e.what());
    }
    QCOMPARE(qsizetype(U16(data, 0)), data.size());
    QCOMPARE(root.key, QStringLiteral("VS_VERSION_INFO"));
    QCOMPARE(root.type, 0u);

    // VS_FIXEDFILEINFO
    const QByteArray& fixed = root.value;
    QCOMPARE(fixed.size(), 52);
    const std::uint32_t expected[] = {0xFEEF04BD,              // signature
                                      0x00010000,              // structure version
                                      0x00010000, 0x00000000,  // file version 1.0.0.0
                                      0x00010000, 0x00000000,  // product version 1.0.0.0
                                      0,          0,           // flags mask, flags
                                      0x4,                     // VOS__WINDOWS32
                                      0x1,                     // VFT_APP
                                      0,                       // subtype
                                      0,          0};          // date
    for (int i = 0; i < 13; ++i) QCOMPARE(U32(fixed, 4 * i), expected[i]);

    QCOMPARE(Keys(root), (QStringList{"VarFileInfo", "StringFileInfo"}));

    const VersionNode& varFileInfo = root.children[0];
    QCOMPARE(Keys(varFileInfo), QStringList{"Translation"});
    const VersionNode& translation = varFileInfo.children[0];
    QCOMPARE(translation.type, 0u);
    QCOMPARE(translation.value.size(), 4);
    QCOMPARE(U16(translation.value, 0), 0x0804u);  // Chinese (Simplified, PRC)
    QCOMPARE(U16(translation.value, 2), 0x04B0u);  // UTF-16 (code page 1200)

    const VersionNode& stringFileInfo = root.children[1];
    QCOMPARE(Keys(stringFileInfo), QStringList{"080404B0"});
    const VersionNode& table = stringFileInfo.children[0];
    const QList<std::pair<QString, QString>> strings = {
        {"CompanyName", QStringLiteral("Vestora 工作室")},
        {"LegalCopyright", QStringLiteral("Copyright © 2026 Vestora 工作室")},
        {"ProductName", "Vestora"},
        {"FileVersion", "1.00"},
        {"ProductVersion", "1.00"},
        {"InternalName", "Vestora"},
        {"OriginalFilename", "Vestora.exe"}};
    QCOMPARE(int(table.children.size()), int(strings.size()));
    for (int i = 0; i < strings.size(); ++i) {
      const VersionNode& string = table.children[std::size_t(i)];
      QCOMPARE(string.key, strings[i].first);
      QCOMPARE(string.type, 1u);
      QCOMPARE(Text(string.value), strings[i].second);
    }
  }
};

QTEST_GUILESS_MAIN(ResourceScriptTest)
#include "resource_script_test.moc"
