#include "forms/qt/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>
#include <thread>

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

// The thread reading the font configuration; a program that ends before waiting for it still
// waits as it ends.
struct Reader {
  ~Reader() { Await(); }
  void Await() {
    if (thread.joinable()) thread.join();
  }
  std::thread thread;
};

Reader& ConfigurationReader() {
  static Reader reader;
  return reader;
}

}  // namespace

void BeginReadingFontConfiguration() {
  Reader& reader = ConfigurationReader();
  // Fontconfig reads its configuration once per process and may be asked from any thread; the
  // toolkit finds it read when it first asks.
  if (!reader.thread.joinable()) reader.thread = std::thread([] { FcInit(); });
}

void AwaitFontConfiguration() {
  ConfigurationReader().Await();
}

bool InstallEmbeddedFonts() {
  AwaitFontConfiguration();
  bool loaded = true;
  const QDir directory(assets::kFontDirectory);
  const QStringList files = directory.entryList(QDir::Files, QDir::Name);
  // Only the families of our own files are looked at: listing every family of the system would
  // cost start-up time on a desktop with many fonts.
  QStringList families;
  for (const QString& file : files) {
    // Registered from the bytes where they lie in the executable: no copy is made, neither now
    // nor when a face is opened.
    const int id =
        QFontDatabase::addApplicationFontFromData(assets::View(directory.filePath(file)));
    if (id < 0) {
      qWarning("Vestora: the embedded font %s could not be loaded", qUtf8Printable(file));
      loaded = false;
      continue;
    }
    families << QFontDatabase::applicationFontFamilies(id);
  }
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
  // Whether the real face is installed does not change while the program runs: ask once.
  static const QStringList families = [] {
    QStringList chosen;
    for (const QString& name : kXingkaiNames) {
      if (QFontDatabase::hasFamily(name)) {
        chosen << name;
        break;
      }
    }
    return chosen << kEmbeddedKaiFamily << kEmbeddedSansFamily;
  }();
  // Each face of the list holds every character the Kai texts show, so no character is looked up
  // in another font: that search, made up front for each script, would cost the start time.
  QFont font = PlainFont(families, pointSize);
  font.setStyleStrategy(QFont::NoFontMerging);
  return font;
}

QFont DefaultFont() {
  return PlainFont(QStringList{kEmbeddedSansFamily} + SystemFamilies(), kDefaultPointSize);
}

}  // namespace vestora::qt
