// The baseline: a bare Qt 6 window of the main window's client size, started like the program.
//   bench_empty_window         prints the monotonic time (ns) of its first paint, then ends
//   bench_empty_window memory  prints peak and current resident memory (KiB) and its parts after
//   that paint
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "bench/probe.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const bool memory = argc > 1 && std::strcmp(argv[1], "memory") == 0;
  vestora::bench::FirstPaint probe({}, [memory] {
    if (memory) {
      const auto resident = vestora::bench::ResidentMemory();
      std::printf("%ld %ld anonymous %ld file %ld shared %ld\n", resident.peakKb,
                  resident.currentKb, resident.anonymousKb, resident.fileKb, resident.sharedKb);
    } else {
      std::printf("%lld\n", static_cast<long long>(vestora::bench::MonotonicNs()));
    }
    std::fflush(stdout);
    QCoreApplication::exit(0);
  });
  application.installEventFilter(&probe);
  QWidget window;
  window.resize(600, 519);
  window.show();
  return QApplication::exec();
}
