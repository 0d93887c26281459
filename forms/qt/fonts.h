// The program's fonts. Every text is Chinese, and a machine need not have any CJK font, so two
// subset fonts travel inside the executable: a Kai face for the frame captions and the slogan,
// and a sans face for everything else. See assets/fonts/README.md.
#pragma once

#include <QFont>
#include <QString>

namespace vestora::qt {

inline const QString kEmbeddedKaiFamily = QStringLiteral("Vestora Kai");
inline const QString kEmbeddedSansFamily = QStringLiteral("Vestora Sans");

// The default font's size in points.
inline constexpr qreal kDefaultPointSize = 9;

// Starts reading the system's font configuration on a thread of its own. Call first thing in
// main(), before the application object exists: the configuration (a few milliseconds of parsing)
// is then read while the toolkit connects to the display, rather than when the first font is
// registered. InstallEmbeddedFonts waits for it to finish.
void BeginReadingFontConfiguration();

// Waits until the font configuration has been read, when it is being read.
void AwaitFontConfiguration();

// Registers the embedded fonts with the application's font database and makes the embedded sans
// face the application's default font (9 pt). Call once, after QApplication exists. Returns false
// when a font could not be loaded.
bool InstallEmbeddedFonts();

// The face used for frame captions and the slogan: the real "华文行楷" (also known as "STXingkai")
// when the system has it, else our embedded Kai face. pointSize may be fractional (15.75, 26.25).
QFont KaiFont(qreal pointSize);

// The default user-interface font (embedded sans, with system fallbacks after it).
QFont DefaultFont();

}  // namespace vestora::qt
