// The embedded fonts against every text of the program, on a system without any CJK font (see
// fonts.conf.in): each character must come from our own font files, never from a fallback.
#include "forms/qt/fonts.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QtTest>
#include <string_view>

#include "app/failure_messages.h"
#include "app/main_window.h"
#include "catalog/catalog.h"
#include "forms/qt/text.h"

namespace {

using vestora::qt::DefaultFont;
using vestora::qt::KaiFont;
using vestora::qt::kEmbeddedKaiFamily;
using vestora::qt::kEmbeddedSansFamily;
using vestora::qt::ToQString;

// A row name, NUL-terminated.
QByteArray Tag(std::string_view first, std::string_view second) {
  return ToQString(first).toUtf8() + ' ' + ToQString(second).toUtf8();
}

// The two faces every text may be drawn with; captions use fractional sizes.
QList<QFont> ProgramFonts() {
  return {DefaultFont(), KaiFont(15.75)};
}

// The characters of the text that the font's own file has no glyph for.
QString Uncovered(const QFont& font, const QString& text) {
  const QRawFont raw = QRawFont::fromFont(font);
  QString missing;
  for (const char32_t character : text.toUcs4()) {
    if (!raw.supportsCharacter(character) && !missing.contains(QChar(character))) {
      missing += QString::fromUcs4(&character, 1);
    }
  }
  return missing;
}

// The families a text is really drawn with, after the toolkit has picked fallbacks per script.
QStringList DrawnFamilies(const QFont& font, const QString& text) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  QStringList families;
  for (const QGlyphRun& run : layout.glyphRuns()) families << run.rawFont().familyName();
  families.removeDuplicates();
  return families;
}

// Characters that draw something: not controls or format marks.
bool IsShown(char32_t character) {
  switch (QChar::category(character)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
      return false;
    default:
      return true;
  }
}

}  // namespace

class FontsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(vestora::qt::InstallEmbeddedFonts());
    // Proves the setup: no font but ours may know a Chinese character, or a fallback could
    // hide a gap in our fonts.
    for (const QString& family : QFontDatabase::families()) {
      if (family == kEmbeddedKaiFamily || family == kEmbeddedSansFamily) continue;
      QVERIFY2(!QRawFont::fromFont(QFont(family)).supportsCharacter(U'秀'), qPrintable(family));
    }
  }

  void fontsArePlain() {
    const QFont application = QApplication::font();
    QCOMPARE(application.families().value(0), kEmbeddedSansFamily);
    QCOMPARE(application.pointSizeF(), 9.0);
    const QFont kai = KaiFont(26.25);
    QCOMPARE(kai.pointSizeF(), 26.25);
    QCOMPARE(QFontInfo(kai).family(), kEmbeddedKaiFamily);  // no real Xingkai here
    QCOMPARE(QFontInfo(DefaultFont()).family(), kEmbeddedSansFamily);
    for (const QFont& font : {kai, DefaultFont()}) {
      QCOMPARE(font.weight(), QFont::Normal);
      QVERIFY(!font.italic());
      QVERIFY(!font.underline());
      QVERIFY(!font.strikeOut());
    }
  }

  void coversText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("covered");

    const vestora::forms::FormDescription main = vestora::app::MainWindowDescription();
    QTest::newRow("main caption") << ToQString(main.caption) << true;
    for (const vestora::forms::ControlDescription& control : main.controls) {
      if (control.text.empty()) continue;
      QTest::newRow(Tag(main.name, control.name).constData()) << ToQString(control.text) << true;
    }
    QTest::newRow("notice prompt") << ToQString(vestora::app::kNoticePrompt) << true;
    QTest::newRow("notice title") << ToQString(vestora::app::kNoticeTitle) << true;

    for (const vestora::Category& category : vestora::Catalog()) {
      QTest::newRow(Tag(category.windowName, "title").constData())
          << ToQString(category.title) << true;
      QTest::newRow(Tag(category.windowName, "caption").constData())
          << ToQString(category.caption) << true;
    }
    QTest::newRow("cell button") << ToQString(vestora::kItemCaption) << true;

    using namespace vestora::app;
    for (const std::string_view text :
         {kFailedShowingMainWindow, kFailedOpeningWindow, kFailedShowingNotice,
          kFailedBlinkingSlogan, kFailedStartingBrowser, kUnknownReason}) {
      QTest::newRow(Tag("failure", text).constData()) << ToQString(text) << true;
    }
    QTest::newRow("message box button") << QStringLiteral("确定") << true;

    // A character outside the subsets: the check must report it.
    QTest::newRow("rare character") << QStringLiteral("龘") << false;
  }

  void coversText() {
    QFETCH(QString, text);
    QFETCH(bool, covered);
    for (const QFont& font : ProgramFonts()) {
      const QString missing = Uncovered(font, text);
      if (!covered) {
        QVERIFY2(!missing.isEmpty(), qPrintable(font.families().constFirst()));
        continue;
      }
      QVERIFY2(missing.isEmpty(),
               qPrintable(font.families().constFirst() + QStringLiteral(" lacks ") + missing));
      QCOMPARE(DrawnFamilies(font, text), QStringList{font.families().constFirst()});
    }
  }

  // Texts that no interface hands out (failure messages put together inside a backend) are
  // found where they are written: every character of the sources must be in both fonts.
  void coversEveryCharacterOfTheSources() {
    QString characters;
    for (const char* directory : {"catalog", "app", "forms"}) {
      QDirIterator files(QStringLiteral(VESTORA_SOURCE_DIR "/") + QLatin1String(directory),
                         {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
      while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        for (const char32_t character : QString::fromUtf8(file.readAll()).toUcs4()) {
          if (character > 0x7E && IsShown(character) && !characters.contains(QChar(character))) {
            characters += QString::fromUcs4(&character, 1);
          }
        }
      }
    }
    QVERIFY(!characters.isEmpty());
    for (const QFont& font : ProgramFonts()) {
      const QString missing = Uncovered(font, characters);
      QVERIFY2(missing.isEmpty(),
               qPrintable(font.families().constFirst() + QStringLiteral(" lacks ") + missing +
                          QStringLiteral("; run scripts/make-fonts")));
    }
  }
};

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
