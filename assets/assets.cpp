#include "assets/assets.h"

#include <QFile>

namespace vestora::assets {

QByteArray Read(const QString& resourcePath) {
  QFile file(resourcePath);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QString PicturePath(std::string_view fileName) {
  return QStringLiteral(":/pictures/") +
         QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
}

}  // namespace vestora::assets
