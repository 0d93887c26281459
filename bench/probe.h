// What the benchmark programs observe about themselves: a monotonic clock shared with the
// harness, when a window is first painted and flushed, and the process's peak resident memory.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>

namespace vestora::bench {

// Dispatches events until `done`; gives up (and ends the program) after ten seconds.
void WaitUntil(const std::function<bool()>& done);

// CLOCK_MONOTONIC in nanoseconds: one clock for every process on the machine, so a harness can
// subtract its own reading before the spawn from the child's reading.
std::int64_t MonotonicNs();

// Prints one "name wall-ms cpu-ms" line per step of a start: the wall-clock milliseconds since
// the step before (the first since it was made) and the calling thread's CPU milliseconds in
// them. Where the two differ, the thread waited: for the X server, the bus or another thread.
class Steps {
 public:
  Steps();
  void Step(const char* name);

 private:
  std::int64_t wallNs_;
  std::int64_t cpuNs_;
};

// How a start benchmark ends at its first paint: with `steps`, the last step of the table;
// without, the monotonic time for bench_start to subtract its spawn from. Then the event loop ends.
void EndAtFirstPaint(Steps* steps);

// Calls `done` once, right after the first paint of the top-level window named `window` (any
// window when empty) has been handled, that is, once the window's content went to the screen.
class FirstPaint final : public QObject {
 public:
  FirstPaint(QString window, std::function<void()> done);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString window_;
  std::function<void()> done_;
  bool seen_ = false;
};

// Counts the widgets of one kind that have been painted at least once since the last Reset.
class PaintedWidgets final : public QObject {
 public:
  explicit PaintedWidgets(std::function<bool(const QObject*)> ofKind) : ofKind_(ofKind) {}
  bool eventFilter(QObject* watched, QEvent* event) override;
  void Reset() { painted_.clear(); }
  qsizetype Count() const { return painted_.size(); }

 private:
  std::function<bool(const QObject*)> ofKind_;
  QSet<const QObject*> painted_;
};

// VmHWM and VmRSS of /proc/self/status and what the resident memory is made of, in KiB: private
// heap and stacks, mapped files (the executable, libraries, fonts), shared memory (on xcb, the
// windows' backing stores that the X server reads).
struct Resident {
  long peakKb = 0;
  long currentKb = 0;
  long anonymousKb = 0;
  long fileKb = 0;
  long sharedKb = 0;
};
Resident ResidentMemory();

}  // namespace vestora::bench
