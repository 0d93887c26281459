// Where the start of the program goes, step by step, in one process: the same calls as
// app/main.cpp, PrepareApplication and Application::Run, each timed, up to the main window's
// first paint (the font configuration is read on a thread of its own while QApplication is made;
// step 3 is what is left to wait for). Prints one "step wall-ms cpu-ms" line per step (see
// Steps); bench/run takes medians over several runs and prints the bare window's steps beside
// them.
#include <QApplication>

#include "app/application.h"
#include "app/main_window.h"
#include "bench/probe.h"
#include "forms/qt/accessibility.h"
#include "forms/qt/fonts.h"
#include "forms/qt/form_builder.h"
#include "forms/qt/motion_setting.h"
#include "forms/qt/program_icon.h"
#include "forms/qt/qt_runtime.h"

int main(int argc, char* argv[]) {
  vestora::bench::Steps timed;
  vestora::qt::BeginReadingFontConfiguration();
  QApplication application(argc, argv);
  timed.Step("1.QApplication");

  // PrepareApplication, a call at a time.
  vestora::qt::BeginReadingProgramIcon();
  vestora::qt::InstallChineseTexts();
  timed.Step("2.icon_reader_locale_and_translator");
  vestora::qt::AwaitFontConfiguration();
  timed.Step("3.wait_for_font_configuration");
  vestora::qt::InstallEmbeddedFonts();
  timed.Step("4.install_embedded_fonts");
  vestora::qt::InstallStyle();
  timed.Step("5.style");
  vestora::qt::InstallAccessibility();
  vestora::qt::BeginReadingMotionSetting();
  QApplication::setQuitOnLastWindowClosed(false);
  timed.Step("6.accessibility_and_motion_setting");

  vestora::qt::QtRuntime runtime;
  vestora::app::Application program(runtime);
  vestora::bench::FirstPaint probe(
      QString::fromUtf8(vestora::app::kMainWindow.data(),
                        static_cast<qsizetype>(vestora::app::kMainWindow.size())),
      [&timed] { vestora::bench::EndAtFirstPaint(&timed); });
  application.installEventFilter(&probe);
  if (!program.Start()) return 1;
  timed.Step("7.build_and_show_main_window");
  return runtime.Run();
}
