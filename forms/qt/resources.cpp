#include "forms/qt/resources.h"

#include <QFile>
#include <QResource>

namespace vestora::qt {

QByteArray ReadResource(const QString& resourcePath) {
  QFile file(resourcePath);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QByteArray ViewResource(const QString& resourcePath) {
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

}  // namespace vestora::qt
