#include "forms/qt/pictures.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QBuffer>
#include <QImageReader>
#include <QResource>
#include <cstdint>
#include <map>

#include "forms/failure_texts.h"
#include "forms/qt/resources.h"
#include "forms/runtime.h"

namespace vestora::qt {

namespace {

QByteArray FormatOf(const std::string& fileName) {
  const std::string suffix = fileName.substr(fileName.find_last_of('.') + 1);
  if (suffix == "jpg" || suffix == "jpeg") return QByteArrayLiteral("jpeg");
  if (suffix == "gif") return QByteArrayLiteral("gif");
  return {};
}

// Hands `read` a reader over the bytes, which takes the picture as it is stored.
template <typename Read>
auto WithReader(const QByteArray& encoded, const QByteArray& format, Read read) {
  QBuffer buffer;
  buffer.setData(encoded);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setAutoTransform(false);
  return read(reader);
}

// Lets go of the whole pages of the executable's file that the bytes cover; the pages they share
// with other data stay. Only for bytes mapped read-only from the file: anything else would lose
// its contents.
void ReleaseFilePages(const QByteArray& bytes) {
  static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(bytes.constData());
  const std::uintptr_t first = (begin + page - 1) / page * page;
  const std::uintptr_t end = (begin + static_cast<std::uintptr_t>(bytes.size())) / page * page;
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

}  // namespace

QImage DecodePicture(const EncodedPicture& picture) {
  QImage image = DecodePicture(picture.bytes, picture.format);
  if (picture.inExecutable) ReleaseFilePages(picture.bytes);
  return image;
}

QImage DecodePicture(const QByteArray& encoded, const QByteArray& format) {
  return WithReader(encoded, format, [](QImageReader& reader) {
    // Of an animated GIF only the first frame is read: the pictures stand still.
    QImage image = reader.read();
    if (image.isNull()) return image;
    return image.convertToFormat(QImage::Format_RGB32);
  });
}

std::optional<QSize> DecodableSize(const QByteArray& encoded, const QByteArray& format) {
  return WithReader(encoded, format, [](QImageReader& reader) -> std::optional<QSize> {
    if (!reader.canRead()) return std::nullopt;
    const QSize size = reader.size();
    if (size.isEmpty()) return std::nullopt;
    return size;
  });
}

EncodedPicture FindPicture(const std::string& fileName) {
  // Only what was found is kept: a picture that could not be found or read fails every time.
  static std::map<std::string, EncodedPicture, std::less<>> found;
  if (const auto known = found.find(fileName); known != found.end()) return known->second;
  const QString path = PicturePath(fileName);
  QByteArray encoded = ViewResource(path);
  if (encoded.isEmpty()) {
    throw forms::Failure(forms::NoSuchPicture(fileName));
  }
  QByteArray format = FormatOf(fileName);
  const std::optional<QSize> size = DecodableSize(encoded, format);
  if (!size) throw forms::Failure(forms::UndecodablePicture(fileName));
  // Stored as they are, the bytes are a view of the executable's own, not a copy.
  const bool inExecutable =
      encoded.constData() == reinterpret_cast<const char*>(QResource(path).data());
  if (inExecutable) ReleaseFilePages(encoded);
  return found
      .emplace(fileName, EncodedPicture{std::move(encoded), *size, std::move(format), inExecutable})
      .first->second;
}

}  // namespace vestora::qt
