#include "forms/qt/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>
#include <thread>
#include <utility>

#include "forms/qt/resources.h"

namespace vestora::qt {
namespace {

// The names the real Xingkai face goes by, English first.
constexpr const char* kXingkaiNames[] = {"STXingkai", "华文行楷"};

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

// The name under which the system has the real Xingkai face, or an empty string. Asked of
// fontconfig by exact family name, a plain look-up in its font list: the toolkit's family check
// would also run the configuration's substitution rules for each name it does not find, as
// costly as matching a font, and a face that merely stands in for Xingkai is not Xingkai.
QString InstalledXingkai() {
  QString found;
  FcObjectSet* properties = FcObjectSetBuild(FC_FAMILY, nullptr);
  for (const char* name : kXingkaiNames) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name));
    FcFontSet* fonts = FcFontList(nullptr, pattern, properties);
    const bool installed = fonts != nullptr && fonts->nfont > 0;
    if (fonts != nullptr) FcFontSetDestroy(fonts);
    FcPatternDestroy(pattern);
    if (installed) {
      found = QString::fromUtf8(name);
      break;
    }
  }
  FcObjectSetDestroy(properties);
  return found;
}

// The thread reading the font configuration and looking for Xingkai; a program that ends before
// waiting for it still waits as it ends.
struct Reader {
  ~Reader() { Await(); }
  void Await() {
    if (thread.joinable()) thread.join();
  }
  std::thread thread;
  bool started = false;
  QString xingkai;  // written by the thread, read after Await
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
  if (std::exchange(reader.started, true)) return;
  reader.thread = std::thread([&reader] {
    FcInit();
    reader.xingkai = InstalledXingkai();
  });
}

void AwaitFontConfiguration() {
  ConfigurationReader().Await();
}

bool InstallEmbeddedFonts() {
  AwaitFontConfiguration();
  bool loaded = true;
  const QDir directory(kFontDirectory);
  const QStringList files = directory.entryList(QDir::Files, QDir::Name);
  // Only the families of our own files are looked at: listing every family of the system would
  // cost start-up time on a desktop with many fonts.
  QStringList families;
  for (const QString& file : files) {
    // Registered from the bytes where they lie in the executable: no copy is made, neither now
    // nor when a face is opened.
    const int id =
        QFontDatabase::addApplicationFontFromData(ViewResource(directory.filePath(file)));
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
  // Whether the real face is installed does not change while the program runs: ask once, on the
  // configuration reader's thread when there is one.
  static const QString xingkai = [] {
    Reader& reader = ConfigurationReader();
    reader.Await();
    return reader.started ? reader.xingkai : InstalledXingkai();
  }();
  if (xingkai.isEmpty()) {
    // Our own face alone, which holds every character the Kai texts show. Like the default face,
    // it is one face for all scripts of a text, resolved once per size; a character it lacks
    // would be looked up in the system's fonts.
    return PlainFont({kEmbeddedKaiFamily}, pointSize);
  }
  // The real face, or ours should the toolkit fail to load it. Each face of the list holds every
  // character the Kai texts show, so no character is looked up in another font: that search, made
  // up front for each script when more than one family is named, would cost start time.
  QFont font = PlainFont({xingkai, kEmbeddedKaiFamily, kEmbeddedSansFamily}, pointSize);
  font.setStyleStrategy(QFont::NoFontMerging);
  return font;
}

QFont DefaultFont() {
  // The embedded face alone: it draws every text of the program. Characters it lacks still come
  // from the system's fonts, which the toolkit then looks up for the first such character. Naming
  // the system's user-interface family after ours would make the toolkit sort every installed
  // font for each script up front, a cost that grows with the fonts of the desktop, to draw
  // nothing but what our face draws.
  return PlainFont({kEmbeddedSansFamily}, kDefaultPointSize);
}

}  // namespace vestora::qt
