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

QImage LoadPicture(const std::string& fileName) {
  const QByteArray encoded = assets::Read(assets::PicturePath(fileName));
  if (encoded.isEmpty()) {
    throw forms::Failure("程序中没有图片“" + fileName + "”");
  }
  QImage image = DecodePicture(encoded);
  if (image.isNull()) throw forms::Failure("图片“" + fileName + "”无法解码");
  return image;
}

}  // namespace vestora::qt
