#include "assets/assets.h"

#include <QFile>
#include <QResource>

namespace vestora::assets {

QByteArray Read(const QString& resourcePath) {
  QFile file(resourcePath);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QByteArray View(const QString& resourcePath) {
  const QResource resource(resourcePath);
  if (!resource.isValid() || resource.data() == nullptr) return {};
  if (resource.compressionAlgorithm() != QResource::NoCompression) {
    return resource.uncompressedData();
  }
  return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                 static_cast<qsizetype>(resource.size()));
}

QString PicturePath(std::string_view fileName) {
  return QStringLiteral(":/pictures/") +
         QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
}

}  // namespace vestora::assets
