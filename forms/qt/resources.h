// The files embedded in the executable as Qt resources (assets/CMakeLists.txt), beside
// forms/win32/resources.h for the Windows program.
#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

namespace vestora::qt {

inline const QString kIconPath = QStringLiteral(":/icon/vestora.ico");
inline const QString kTranslationPath = QStringLiteral(":/translations/qtbase_zh_CN.qm");
inline const QString kFontDirectory = QStringLiteral(":/fonts");

// The bytes of an embedded file, or empty when there is none.
QByteArray ReadResource(const QString& resourcePath);

// The bytes of an embedded file where they lie in the executable's mapped image, without a copy
// (the files are stored uncompressed), or empty when there is none. Valid while the program runs.
QByteArray ViewResource(const QString& resourcePath);

// The resource path of a cell's picture, from its file name (see PictureFileName).
QString PicturePath(std::string_view fileName);

}  // namespace vestora::qt
