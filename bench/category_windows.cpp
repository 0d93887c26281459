// Opening each category window, from the press of its main-window button to the first paint of
// every picture box, against what cannot be avoided: showing and painting a bare top-level window
// of the same client size on the same platform, plus decoding the window's embedded pictures as
// its picture boxes do (the same bytes, the same decoder). The three alternate within each repeat;
// the windows are closed between repeats.
//   bench_category_windows [REPEATS]   (default 15)
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/application.h"
#include "app/main_window.h"
#include "bench/probe.h"
#include "catalog/catalog.h"
#include "forms/qt/fonts.h"
#include "forms/qt/pictures.h"
#include "forms/qt/qt_runtime.h"
#include "forms/qt/widgets.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Milliseconds(std::int64_t from, std::int64_t to) {
  return static_cast<double>(to - from) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
  vestora::qt::BeginReadingFontConfiguration();
  QApplication application(argc, argv);
  vestora::qt::PrepareApplication();
  vestora::qt::QtRuntime runtime;
  vestora::app::Application program(runtime);
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

  vestora::bench::PaintedWidgets pictures([](const QObject* object) {
    return dynamic_cast<const vestora::qt::PictureBox*>(object) != nullptr;
  });
  application.installEventFilter(&pictures);
  if (!program.Start()) return 1;
  vestora::bench::WaitUntil([&] { return runtime.Window(vestora::app::kMainWindow)->isVisible(); });
  QCoreApplication::processEvents();

  vestora::bench::PaintedWidgets bare(
      [](const QObject* object) { return object->objectName() == QStringLiteral("bare"); });
  application.installEventFilter(&bare);

  std::printf(
      "| window | pictures | decode ms | bare window ms | open ms | open/(bare+decode) | "
      "first open ms |\n");
  std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
  std::vector<double> ratios;
  long long checksum = 0;
  for (const vestora::Category& category : vestora::Catalog()) {
    std::vector<vestora::qt::EncodedPicture> encoded;
    for (const vestora::ItemCell& cell : vestora::Cells(category)) {
      encoded.push_back(vestora::qt::FindPicture(vestora::PictureFileName(category, cell)));
    }
    const auto cells = static_cast<qsizetype>(category.cells.size());
    std::vector<double> decode;
    std::vector<double> bareOpen;
    std::vector<double> open;
    double firstOpen = 0;
    for (int repeat = 0; repeat <= repeats; ++repeat) {
      std::int64_t start = vestora::bench::MonotonicNs();
      for (const vestora::qt::EncodedPicture& picture : encoded) {
        checksum += vestora::qt::DecodePicture(picture.bytes, picture.format).width();
      }
      const double decodeMs = Milliseconds(start, vestora::bench::MonotonicNs());

      bare.Reset();
      start = vestora::bench::MonotonicNs();
      auto* plain = new QWidget;
      plain->setObjectName(QStringLiteral("bare"));
      plain->setAttribute(Qt::WA_DeleteOnClose);
      plain->setFixedSize(category.clientWidth / vestora::kTwipsPerPixel,
                          category.clientHeight / vestora::kTwipsPerPixel);
      plain->show();
      vestora::bench::WaitUntil([&] { return bare.Count() >= 1; });
      const double bareMs = Milliseconds(start, vestora::bench::MonotonicNs());
      plain->close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();

      pictures.Reset();
      start = vestora::bench::MonotonicNs();
      program.Pressed(vestora::app::kMainWindow, category.mainButton);
      vestora::bench::WaitUntil([&] { return pictures.Count() >= cells; });
      const double openMs = Milliseconds(start, vestora::bench::MonotonicNs());

      QWidget* window = runtime.Window(category.windowName);
      window->close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
      if (repeat == 0) {
        firstOpen = openMs;  // fonts, caches and code pages still cold: reported apart
      } else {
        decode.push_back(decodeMs);
        bareOpen.push_back(bareMs);
        open.push_back(openMs);
      }
    }
    const double ratio = Median(open) / (Median(bareOpen) + Median(decode));
    ratios.push_back(ratio);
    std::printf("| %.*s | %lld | %.2f | %.2f | %.2f | %.2f× | %.2f |\n",
                static_cast<int>(category.windowName.size()), category.windowName.data(),
                static_cast<long long>(cells), Median(decode), Median(bareOpen), Median(open),
                ratio, firstOpen);
  }
  std::printf(
      "\nMedians of %d repeats per window (after a first, cold opening); worst ratio "
      "%.2f×, median ratio %.2f×. Platform: %s. (checksum %lld)\n",
      repeats, *std::max_element(ratios.begin(), ratios.end()), Median(ratios),
      qPrintable(QGuiApplication::platformName()), checksum);
  return 0;
}
