// Where the start of the program goes, step by step, in one process: the same calls as
// app/main.cpp and PrepareApplication, each timed (the font configuration is read on a thread of
// its own while QApplication is made; step 3 is what is left to wait for), up to the main window's
// first paint. Prints one "step milliseconds" line per step; bench/run takes medians over several
// runs.
#include <QApplication>
#include <cstdio>

#include "app/main_window.h"
#include "bench/probe.h"
#include "forms/qt/fonts.h"
#include "forms/qt/form_builder.h"
#include "forms/qt/qt_runtime.h"

namespace {

struct NoEvents final : vestora::forms::FormEvents {
  void Pressed(std::string_view, std::string_view) noexcept override {}
  void Ticked(std::string_view, std::string_view) noexcept override {}
  void Closed(std::string_view) noexcept override {}
};

std::int64_t last = 0;

void Step(const char* name) {
  const std::int64_t now = vestora::bench::MonotonicNs();
  std::printf("%s %.3f\n", name, static_cast<double>(now - last) / 1e6);
  last = now;
}

}  // namespace

int main(int argc, char* argv[]) {
  last = vestora::bench::MonotonicNs();
  vestora::qt::BeginReadingFontConfiguration();
  QApplication application(argc, argv);
  Step("1.QApplication");

  vestora::qt::BeginReadingProgramIcon();
  vestora::qt::InstallChineseTexts();
  Step("2.icon_reader_locale_and_translator");

  vestora::qt::AwaitFontConfiguration();
  Step("3.wait_for_font_configuration");
  vestora::qt::InstallEmbeddedFonts();
  Step("4.install_embedded_fonts");
  vestora::qt::InstallStyle();
  Step("5.style");
  QApplication::setQuitOnLastWindowClosed(false);

  const vestora::forms::FormDescription form = vestora::app::MainWindowDescription();
  Step("6.describe_main_window");
  NoEvents events;
  QWidget* window = vestora::qt::BuildForm(form, events);
  Step("7.build_main_window");

  vestora::bench::FirstPaint probe({}, [] {
    Step("8.show_to_first_paint");
    QCoreApplication::exit(0);
  });
  application.installEventFilter(&probe);
  window->show();
  const int status = QApplication::exec();
  delete window;
  return status;
}
