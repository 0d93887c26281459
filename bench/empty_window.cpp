// The baseline: a bare Qt 6 window of the main window's client size, started like the program.
//   bench_empty_window         prints the monotonic time (ns) of its first paint, then ends
//   bench_empty_window memory  prints peak and current resident memory (KiB) and its parts after
//   that paint
//   bench_empty_window steps   prints its start step by step as bench_start_phases does, under
//   the same step names
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "bench/probe.h"

int main(int argc, char* argv[]) {
  vestora::bench::Steps timed;
  QApplication application(argc, argv);
  const bool memory = argc > 1 && std::strcmp(argv[1], "memory") == 0;
  const bool steps = argc > 1 && std::strcmp(argv[1], "steps") == 0;
  if (steps) timed.Step("1.QApplication");
  vestora::bench::FirstPaint probe({}, [memory, steps, &timed] {
    if (memory) {
      const auto resident = vestora::bench::ResidentMemory();
      std::printf("%ld %ld anonymous %ld file %ld shared %ld\n", resident.peakKb,
                  resident.currentKb, resident.anonymousKb, resident.fileKb, resident.sharedKb);
      std::fflush(stdout);
      QCoreApplication::exit(0);
      return;
    }
    vestora::bench::EndAtFirstPaint(steps ? &timed : nullptr);
  });
  application.installEventFilter(&probe);
  QWidget window;
  window.resize(600, 519);
  if (steps) timed.Step("7.build_and_show_main_window");
  window.show();
  return QApplication::exec();
}
