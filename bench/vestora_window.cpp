// The program's own start path (see app/main.cpp), watched from inside.
//   bench_vestora_window         prints the monotonic time (ns) of the main window's first paint
//   bench_vestora_window memory  then opens all seventeen category windows and, once every
//                                picture box has been painted, prints peak and current resident
//                                memory (KiB)
//   bench_vestora_window backing  prints the backing stores of those eighteen windows (KiB):
//                                client width × height × 4 bytes each, from the catalog
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/application.h"
#include "app/main_window.h"
#include "bench/probe.h"
#include "catalog/catalog.h"
#include "forms/qt/fonts.h"
#include "forms/qt/qt_runtime.h"
#include "forms/qt/widgets.h"

int main(int argc, char* argv[]) {
  if (argc > 1 && std::strcmp(argv[1], "backing") == 0) {
    const auto bytes = [](int widthTwips, int heightTwips) {
      return static_cast<long long>(widthTwips / vestora::kTwipsPerPixel) *
             (heightTwips / vestora::kTwipsPerPixel) * 4;
    };
    const vestora::forms::FormDescription main = vestora::app::MainWindowDescription();
    long long total = bytes(main.clientWidth, main.clientHeight);
    for (const vestora::Category& category : vestora::Catalog()) {
      total += bytes(category.clientWidth, category.clientHeight);
    }
    std::printf("%lld\n", total / 1024);
    return 0;
  }
  vestora::qt::BeginReadingFontConfiguration();
  QApplication application(argc, argv);
  vestora::qt::PrepareApplication();
  vestora::qt::QtRuntime runtime;
  vestora::app::Application program(runtime);

  const bool memory = argc > 1 && std::strcmp(argv[1], "memory") == 0;
  vestora::bench::PaintedWidgets pictures([](const QObject* object) {
    return dynamic_cast<const vestora::qt::PictureBox*>(object) != nullptr;
  });
  QTimer poll;
  const auto finish = [] {
    const auto resident = vestora::bench::ResidentMemory();
    std::printf("%ld %ld anonymous %ld file %ld shared %ld\n", resident.peakKb, resident.currentKb,
                resident.anonymousKb, resident.fileKb, resident.sharedKb);
    std::fflush(stdout);
    QCoreApplication::exit(0);
  };
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (pictures.Count() >= vestora::kCellCount) finish();
  });
  vestora::bench::FirstPaint probe(
      QString::fromUtf8(vestora::app::kMainWindow.data(),
                        static_cast<qsizetype>(vestora::app::kMainWindow.size())),
      [&] {
        if (!memory) {
          vestora::bench::EndAtFirstPaint(nullptr);
          return;
        }
        application.installEventFilter(&pictures);
        for (const vestora::Category& category : vestora::Catalog()) {
          program.Pressed(vestora::app::kMainWindow, category.mainButton);
        }
        poll.start(5);
      });
  application.installEventFilter(&probe);
  return program.Run();
}
