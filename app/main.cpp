// Vestora: a catalog of avatar outfits and scene backgrounds. It takes no arguments and reads no
// file or setting; the whole catalog is built in.
#include <QApplication>

#include "app/application.h"
#include "forms/qt/fonts.h"
#include "forms/qt/qt_runtime.h"

int main(int, char* argv[]) {
  vestora::qt::BeginReadingFontConfiguration();
  // Only the program's name reaches the toolkit: options such as -stylesheet or -style on the
  // command line are not read.
  int toolkitArgc = 1;
  QApplication application(toolkitArgc, argv);
  // Desktops match the program's windows to its desktop entry by this name (the app id on Wayland).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vestora.Vestora"));
  vestora::qt::PrepareApplication();
  vestora::qt::QtRuntime runtime;
  vestora::app::Application program(runtime);
  return program.Run();
}
