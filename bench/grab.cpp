// The main window's pixels, for comparing what a change draws against what was drawn before.
//   bench_grab WIDGET.png [SCREEN.png]  starts like the program, and right after the main
//                                       window's first paint saves what the window renders
//                                       (QWidget::grab) and, when asked, what the display shows
//                                       of it (the window read back from the X server)
// Compare two builds' files under the same fonts, e.g. with `cmp` or ImageMagick's
// `compare -metric AE`.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

#include "app/application.h"
#include "app/main_window.h"
#include "bench/probe.h"
#include "forms/qt/fonts.h"
#include "forms/qt/qt_runtime.h"

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s WIDGET.png [SCREEN.png]\n", argv[0]);
    return 2;
  }
  const QString widgetFile = QString::fromLocal8Bit(argv[1]);
  const QString screenFile = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  vestora::qt::BeginReadingFontConfiguration();
  int toolkitArgc = 1;
  QApplication application(toolkitArgc, argv);
  vestora::qt::PrepareApplication();
  vestora::qt::QtRuntime runtime;
  vestora::app::Application program(runtime);
  int status = 0;
  vestora::bench::FirstPaint probe(
      QString::fromUtf8(vestora::app::kMainWindow.data(),
                        static_cast<qsizetype>(vestora::app::kMainWindow.size())),
      [&] {
        QWidget* window = runtime.Window(vestora::app::kMainWindow);
        if (window == nullptr || !window->grab().toImage().save(widgetFile)) status = 1;
        if (window != nullptr && !screenFile.isEmpty() &&
            !window->screen()->grabWindow(window->winId()).toImage().save(screenFile)) {
          status = 1;
        }
        QCoreApplication::exit(0);
      });
  application.installEventFilter(&probe);
  program.Run();
  return status;
}
