// Vestora: a catalog of avatar outfits and scene backgrounds. It takes no arguments and reads no
// file or setting; the whole catalog is built in.
#include <QApplication>

#include "app/application.h"
#include "forms/qt/qt_runtime.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  vestora::qt::PrepareApplication();
  vestora::qt::QtRuntime runtime;
  vestora::app::Application program(runtime);
  return program.Run();
}
