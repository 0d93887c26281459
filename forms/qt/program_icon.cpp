#include "forms/qt/program_icon.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>
#include <chrono>
#include <future>
#include <utility>

#include "forms/qt/resources.h"

namespace vestora::qt {
namespace {

// The original colour depth the icon reader notes on each image of an icon file.
int OriginalDepth(const QImage& image) {
  const QString depth = image.text(QStringLiteral("_q_icoOrigDepth"));
  return depth.isEmpty() ? 32 : depth.toInt();
}

// The images of the program's icon file, chosen as QIcon chooses them from an icon file: of each
// size the image of the deepest original colours, sizes in the order they first appear.
QList<QImage> ReadIconImages() {
  QImageReader reader(kIconPath);
  QList<QImage> images;
  for (bool more = true; more;) {
    const QImage image = reader.read();
    if (!image.size().isValid()) break;
    more = reader.jumpToNextImage();
    const auto same = std::ranges::find(images, image.size(), &QImage::size);
    if (same == images.end()) {
      images.append(image);
    } else if (OriginalDepth(image) > OriginalDepth(*same)) {
      *same = image;
    }
  }
  return images;
}

std::future<QList<QImage>>& IconReader() {
  static std::future<QList<QImage>> reader;
  return reader;
}

}  // namespace

bool ProgramIconReady() {
  static bool ready = false;
  if (!ready) {
    const std::future<QList<QImage>>& reader = IconReader();
    ready =
        !reader.valid() || reader.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  }
  return ready;
}

void BeginReadingProgramIcon() {
  static bool begun = false;
  if (std::exchange(begun, true)) return;
  IconReader() = std::async(std::launch::async, ReadIconImages);
  // The reader must be done before the toolkit goes, plugins and all.
  qAddPostRoutine([] {
    if (IconReader().valid()) IconReader().wait();
  });
}

const QIcon& ProgramIcon() {
  static const QIcon icon = [] {
    std::future<QList<QImage>>& reader = IconReader();
    QIcon made;
    for (const QImage& image : reader.valid() ? reader.get() : ReadIconImages()) {
      made.addPixmap(QPixmap::fromImage(image));
    }
    return made;
  }();
  return icon;
}

}  // namespace vestora::qt
