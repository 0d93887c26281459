#include "bench/probe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace vestora::bench {

void WaitUntil(const std::function<bool()>& done) {
  QElapsedTimer waited;
  waited.start();
  while (!done()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    if (waited.elapsed() > 10'000) {
      std::fprintf(stderr, "gave up waiting for the pictures to be painted\n");
      std::exit(2);
    }
  }
}

namespace {

std::int64_t ClockNs(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

std::int64_t ThreadCpuNs() {
  return ClockNs(CLOCK_THREAD_CPUTIME_ID);
}

}  // namespace

std::int64_t MonotonicNs() {
  return ClockNs(CLOCK_MONOTONIC);
}

Steps::Steps() : wallNs_(MonotonicNs()), cpuNs_(ThreadCpuNs()) {}

void Steps::Step(const char* name) {
  const std::int64_t wallNs = MonotonicNs();
  const std::int64_t cpuNs = ThreadCpuNs();
  std::printf("%s %.3f %.3f\n", name, static_cast<double>(wallNs - wallNs_) / 1e6,
              static_cast<double>(cpuNs - cpuNs_) / 1e6);
  wallNs_ = wallNs;
  cpuNs_ = cpuNs;
}

void EndAtFirstPaint(Steps* steps) {
  if (steps != nullptr) {
    steps->Step("8.show_to_first_paint");
  } else {
    std::printf("%lld\n", static_cast<long long>(MonotonicNs()));
  }
  std::fflush(stdout);
  QCoreApplication::exit(0);
}

FirstPaint::FirstPaint(QString window, std::function<void()> done)
    : window_(std::move(window)), done_(std::move(done)) {}

bool FirstPaint::eventFilter(QObject* watched, QEvent* event) {
  if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
    const QWidget* top = static_cast<QWidget*>(watched)->window();
    if (window_.isEmpty() || top->objectName() == window_) {
      seen_ = true;
      // The window's children paint and the backing store is flushed within the same update;
      // a zero timer fires after all of that.
      QTimer::singleShot(0, done_);
    }
  }
  return false;
}

bool PaintedWidgets::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && ofKind_(watched)) painted_.insert(watched);
  return false;
}

Resident ResidentMemory() {
  Resident resident;
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return resident;
  for (const QByteArray& line : status.readAll().split('\n')) {
    const auto value = [&] {
      return line.mid(line.indexOf(':') + 1).trimmed().split(' ').front().toLong();
    };
    if (line.startsWith("VmHWM:")) resident.peakKb = value();
    if (line.startsWith("VmRSS:")) resident.currentKb = value();
    if (line.startsWith("RssAnon:")) resident.anonymousKb = value();
    if (line.startsWith("RssFile:")) resident.fileKb = value();
    if (line.startsWith("RssShmem:")) resident.sharedKb = value();
  }
  return resident;
}

}  // namespace vestora::bench
