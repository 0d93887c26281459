// Writes every icon file under assets/icon/ from the drawn mark, or checks that the files there
// are exactly what it would write.
//
//   vestora-icon-generator ICON_DIR           write the files into ICON_DIR
//   vestora-icon-generator --check ICON_DIR   exit 1 when a file is missing or differs

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "icon_encoding.h"
#include "logo.h"

namespace {

using vestora::icon::IconImage;

struct OutputFile {
  QString path;  // relative to the icon folder
  QByteArray bytes;
};

struct ImageSlot {
  int size;
  int bitCount;
};

// The images of the Windows icon in their order in the .ico file and in the icon group.
constexpr ImageSlot kIconImages[] = {{48, 8},  {32, 8},  {24, 8},  {16, 8}, {256, 32},
                                     {48, 32}, {32, 32}, {24, 32}, {16, 32}};
constexpr std::uint16_t kFirstIconResourceId = 30001;
constexpr int kHicolorSizes[] = {16, 24, 32, 48, 64, 128, 256};

QByteArray Png(const QImage& picture) {
  QImage image = picture;
  image.setDotsPerMeterX(3780);  // 96 dots per inch, rather than whatever the machine says
  image.setDotsPerMeterY(3780);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) {
    std::fprintf(stderr, "cannot encode PNG: %s\n", qPrintable(writer.errorString()));
    std::exit(2);
  }
  return bytes;
}

std::vector<OutputFile> IconFiles() {
  std::map<int, QImage> logos;
  const auto logo = [&](int size) -> const QImage& {
    auto it = logos.find(size);
    if (it == logos.end()) it = logos.emplace(size, vestora::icon::DrawLogo(size)).first;
    return it->second;
  };

  std::vector<IconImage> images;
  for (const ImageSlot& slot : kIconImages) {
    images.push_back(vestora::icon::EncodeIconImage(logo(slot.size), slot.bitCount));
  }

  std::vector<OutputFile> files;
  files.push_back({QStringLiteral("vestora.ico"), vestora::icon::IcoFile(images)});
  // For the resource script: each image alone (as a one-image .ico and as the raw RT_ICON
  // data) and the RT_GROUP_ICON directory that lists them by resource id.
  for (std::size_t i = 0; i < images.size(); ++i) {
    const QString stem = QStringLiteral("vestora-%1").arg(kFirstIconResourceId + i);
    files.push_back({stem + QStringLiteral(".ico"), vestora::icon::IcoFile({images[i]})});
    files.push_back({stem + QStringLiteral(".bin"), images[i].data});
  }
  files.push_back({QStringLiteral("vestora-group.bin"),
                   vestora::icon::GroupIconResource(images, kFirstIconResourceId)});
  for (int size : kHicolorSizes) {
    files.push_back({QStringLiteral("hicolor/%1x%1/apps/vestora.png").arg(size), Png(logo(size))});
  }
  return files;
}

int Write(const QDir& folder, const std::vector<OutputFile>& files) {
  for (const OutputFile& file : files) {
    const QString path = folder.filePath(file.path);
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file.bytes) != file.bytes.size() ||
        !out.flush()) {
      std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                   qPrintable(out.errorString()));
      return 1;
    }
  }
  std::printf("wrote %zu files into %s\n", files.size(), qPrintable(folder.path()));
  return 0;
}

int Check(const QDir& folder, const std::vector<OutputFile>& files) {
  int stale = 0;
  for (const OutputFile& file : files) {
    QFile in(folder.filePath(file.path));
    if (!in.open(QIODevice::ReadOnly)) {
      std::printf("missing: %s\n", qPrintable(file.path));
      ++stale;
    } else if (in.readAll() != file.bytes) {
      std::printf("differs: %s\n", qPrintable(file.path));
      ++stale;
    }
  }
  if (stale != 0) {
    std::printf(
        "%d of %zu icon files are not what the generator makes now; run "
        "vestora-icon-generator %s and commit the result\n",
        stale, files.size(), qPrintable(folder.path()));
    return 1;
  }
  std::printf("all %zu icon files are up to date\n", files.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 3 && QByteArray(argv[1]) == "--check";
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: %s [--check] ICON_DIR\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[argc - 1]));
  const std::vector<OutputFile> files = IconFiles();
  return check ? Check(folder, files) : Write(folder, files);
}
