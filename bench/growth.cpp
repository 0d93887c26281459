// Whether memory grows as windows come and go: opens all seventeen category windows, waits until
// every picture box has been painted, closes them all, and repeats. Prints the resident memory
// (VmRSS) after the first rounds, when caches have settled, and after the last round.
//   bench_growth [ROUNDS] [SETTLE]   (default 200 rounds, measured from round 10)
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "app/main_window.h"
#include "bench/probe.h"
#include "catalog/catalog.h"
#include "forms/qt/fonts.h"
#include "forms/qt/qt_runtime.h"
#include "forms/qt/widgets.h"

int main(int argc, char* argv[]) {
  vestora::qt::BeginReadingFontConfiguration();
  QApplication application(argc, argv);
  vestora::qt::PrepareApplication();
  vestora::qt::QtRuntime runtime;
  vestora::app::Application program(runtime);
  const int rounds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
  const int settle = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, rounds - 1) : 10;

  vestora::bench::PaintedWidgets pictures([](const QObject* object) {
    return dynamic_cast<const vestora::qt::PictureBox*>(object) != nullptr;
  });
  application.installEventFilter(&pictures);
  if (!program.Start()) return 1;
  vestora::bench::WaitUntil([&] { return runtime.Window(vestora::app::kMainWindow)->isVisible(); });

  long settledKb = 0;
  long lastKb = 0;
  for (int round = 1; round <= rounds; ++round) {
    pictures.Reset();
    for (const vestora::Category& category : vestora::Catalog()) {
      program.Pressed(vestora::app::kMainWindow, category.mainButton);
    }
    vestora::bench::WaitUntil([&] { return pictures.Count() >= vestora::kCellCount; });
    for (const vestora::Category& category : vestora::Catalog()) {
      runtime.Window(category.windowName)->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    if (vestora::qt::PictureBox::LiveCount() != 0) {
      std::fprintf(stderr, "picture boxes outlived their windows\n");
      return 2;
    }
    if (round == settle) settledKb = vestora::bench::ResidentMemory().currentKb;
    if (round == rounds) lastKb = vestora::bench::ResidentMemory().currentKb;
  }
  std::printf("| after round %d KiB | after round %d KiB | growth KiB |\n", settle, rounds);
  std::printf("|---:|---:|---:|\n| %ld | %ld | %+ld |\n", settledKb, lastKb, lastKb - settledKb);
  std::printf(
      "\nPlatform: %s; each round opens all %zu category windows, waits until every "
      "picture box has been painted, and closes them.\n",
      qPrintable(QGuiApplication::platformName()), vestora::Catalog().size());
  return 0;
}
