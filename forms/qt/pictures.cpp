#include "forms/qt/pictures.h"

#include <QBuffer>
#include <QImageReader>

#include "assets/assets.h"
#include "forms/runtime.h"

namespace vestora::qt {

QImage DecodePicture(const QByteArray& encoded) {
  QBuffer buffer;
  buffer.setData(encoded);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);
  // Of an animated GIF only the first frame is read: the pictures stand still.
  QImage image = reader.read();
  if (image.isNull()) return image;
  return image.convertToFormat(QImage::Format_RGB32);
}

std::optional<QSize> DecodableSize(const QByteArray& encoded) {
  QBuffer buffer;
  buffer.setData(encoded);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);
  if (!reader.canRead()) return std::nullopt;
  const QSize size = reader.size();
  if (size.isEmpty()) return std::nullopt;
  return size;
}

EncodedPicture FindPicture(const std::string& fileName) {
  QByteArray encoded = assets::View(assets::PicturePath(fileName));
  if (encoded.isEmpty()) {
    throw forms::Failure("程序中没有图片“" + fileName + "”");
  }
  const std::optional<QSize> size = DecodableSize(encoded);
  if (!size) throw forms::Failure("图片“" + fileName + "”无法解码");
  return {std::move(encoded), *size};
}

}  // namespace vestora::qt
