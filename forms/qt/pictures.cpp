#include "forms/qt/pictures.h"

#include <QBuffer>
#include <QImageReader>
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

}  // namespace

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
  QByteArray encoded = ViewResource(PicturePath(fileName));
  if (encoded.isEmpty()) {
    throw forms::Failure(forms::NoSuchPicture(fileName));
  }
  QByteArray format = FormatOf(fileName);
  const std::optional<QSize> size = DecodableSize(encoded, format);
  if (!size) throw forms::Failure(forms::UndecodablePicture(fileName));
  return found.emplace(fileName, EncodedPicture{std::move(encoded), *size, std::move(format)})
      .first->second;
}

}  // namespace vestora::qt
