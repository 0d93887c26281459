#include "forms/qt/fonts.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>

#include "assets/assets.h"

namespace vestora::qt {
namespace {

// The names the real Xingkai face goes by, English first.
const QStringList kXingkaiNames = {QStringLiteral("STXingkai"), QStringLiteral("华文行楷")};

// Plain weight and shape, whatever the family.
QFont PlainFont(const QStringList& families, qreal pointSize) {
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(pointSize);
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

// The families of the platform's own user-interface font (not the application's, which is ours):
// they stand in for any character our subset lacks.
QStringList SystemFamilies() {
  QStringList families = QFontDatabase::systemFont(QFontDatabase::GeneralFont).families();
  families.removeAll(kEmbeddedSansFamily);
  return families;
}

}  // namespace

bool InstallEmbeddedFonts() {
  bool loaded = true;
  const QDir directory(assets::kFontDirectory);
  const QStringList files = directory.entryList(QDir::Files, QDir::Name);
  for (const QString& file : files) {
    if (QFontDatabase::addApplicationFont(directory.filePath(file)) < 0) {
      qWarning("Vestora: the embedded font %s could not be loaded", qUtf8Printable(file));
      loaded = false;
    }
  }
  const QStringList families = QFontDatabase::families();
  for (const QString& family : {kEmbeddedKaiFamily, kEmbeddedSansFamily}) {
    if (!families.contains(family)) {
      qWarning("Vestora: no embedded font of the family %s", qUtf8Printable(family));
      loaded = false;
    }
  }
  QApplication::setFont(DefaultFont());
  return loaded;
}

QFont KaiFont(qreal pointSize) {
  QStringList families;
  const QStringList installed = QFontDatabase::families();
  for (const QString& name : kXingkaiNames) {
    if (installed.contains(name, Qt::CaseInsensitive)) {
      families << name;
      break;
    }
  }
  families << kEmbeddedKaiFamily << kEmbeddedSansFamily;
  return PlainFont(families, pointSize);
}

QFont DefaultFont() {
  return PlainFont(QStringList{kEmbeddedSansFamily} + SystemFamilies(), kDefaultPointSize);
}

}  // namespace vestora::qt
