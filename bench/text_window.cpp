// A second reference: the bare window with one short line of Chinese text in the program's
// embedded sans face, the font configuration read on a thread while QApplication is made, as the
// program does. What it costs beyond the bare window is the toolkit's fixed price of drawing any
// text at all (filling the font database, setting up one face, shaping and rasterizing a few
// glyphs), which the program pays before its first paint too.
//   bench_text_window        prints the monotonic time (ns) of its first paint, then ends
//   bench_text_window steps  prints its start step by step as bench_start_phases does
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QWidget>
#include <cstring>

#include "bench/probe.h"
#include "forms/qt/fonts.h"

int main(int argc, char* argv[]) {
  vestora::bench::Steps timed;
  vestora::qt::BeginReadingFontConfiguration();
  QApplication application(argc, argv);
  const bool steps = argc > 1 && std::strcmp(argv[1], "steps") == 0;
  if (steps) timed.Step("1.QApplication");
  vestora::qt::AwaitFontConfiguration();
  const int id =
      QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/VestoraSans-Regular.ttf"));
  if (id < 0) return 2;
  if (steps) timed.Step("4.install_embedded_fonts");
  vestora::bench::FirstPaint probe(
      {}, [steps, &timed] { vestora::bench::EndAtFirstPaint(steps ? &timed : nullptr); });
  application.installEventFilter(&probe);
  QWidget window;
  window.resize(600, 519);
  QLabel line(QStringLiteral("点我获取"), &window);
  QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
  font.setPixelSize(12);
  line.setFont(font);
  line.move(20, 20);
  if (steps) timed.Step("7.build_and_show_main_window");
  window.show();
  return QApplication::exec();
}
