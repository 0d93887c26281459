// The floor for the program's start: the main window written by hand with plain Qt widgets, from
// the window's description and nothing of the program's but its embedded files. Three group
// boxes, the slogan and the footer as labels, eighteen push buttons, the two embedded faces
// registered from memory, the program's icon, and the slogan blinking every 250 ms.
//   bench_hand_window         prints the monotonic time (ns) of its first paint, then ends
//   bench_hand_window steps   prints its start step by step as bench_start_phases does
//   bench_hand_window stay    stays open, for a look at it
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstring>

#include "bench/probe.h"

namespace {

enum class Kind { Group, Label, Button };

struct Control {
  Kind kind;
  int left, top, width, height;  // twips, from the client area or from the group box
  int group;                     // index of the group box holding it, or -1
  const char* text;
  QRgb colour;
  bool kai;
  qreal points;
};

constexpr QRgb kMagenta = 0xFF00FF;
// In focus order.
const Control kControls[] = {
    {Kind::Group, 360, 1320, 4095, 3015, -1, "女生QQ秀集合", kMagenta, true, 15.75},
    {Kind::Label, 1560, 7320, 6735, 615, -1, "Vestora 工作室出品　图片均为原创　谢谢使用", 0xFF0000,
     false, 9},
    {Kind::Label, 2280, 360, 6495, 975, -1, "Vestora", 0xFFC0FF, true, 26.25},
    {Kind::Button, 360, 720, 1335, 495, 0, "个性女生QQ秀", 0, false, 9},
    {Kind::Button, 2280, 720, 1455, 495, 0, "温柔女生QQ秀", 0, false, 9},
    {Kind::Button, 360, 2040, 1335, 495, 0, "非主流QQ秀", 0, false, 9},
    {Kind::Button, 2280, 2040, 1455, 495, 0, "贤淑女生QQ秀", 0, false, 9},
    {Kind::Group, 4680, 1320, 3975, 3015, -1, "男生QQ秀集合", kMagenta, true, 15.75},
    {Kind::Button, 240, 720, 1455, 495, 7, "个性男生QQ秀", 0, false, 9},
    {Kind::Button, 240, 2040, 1455, 495, 7, "收费雷人QQ秀", 0, false, 9},
    {Kind::Button, 2280, 720, 1455, 495, 7, "免费雷人QQ秀", 0, false, 9},
    {Kind::Button, 2280, 2040, 1455, 495, 7, "绝版QQ秀", 0, false, 9},
    {Kind::Group, 360, 4680, 8295, 2295, -1, "QQ秀背景", kMagenta, true, 15},
    {Kind::Button, 240, 600, 1335, 495, 12, "动漫卡通", 0, false, 9},
    {Kind::Button, 240, 1440, 1335, 495, 12, "青草萋萋", 0, false, 9},
    {Kind::Button, 1920, 600, 1335, 495, 12, "夜色朦胧", 0, false, 9},
    {Kind::Button, 1920, 1440, 1335, 495, 12, "恬静优雅", 0, false, 9},
    {Kind::Button, 3600, 600, 1335, 495, 12, "憧憬爱情", 0, false, 9},
    {Kind::Button, 3600, 1440, 1335, 495, 12, "春意盎然", 0, false, 9},
    {Kind::Button, 5280, 600, 1335, 495, 12, "高山流水", 0, false, 9},
    {Kind::Button, 5280, 1440, 1335, 495, 12, "历史沧桑", 0, false, 9},
    {Kind::Button, 6960, 600, 1215, 495, 12, "白雪悠然", 0, false, 9},
    {Kind::Button, 6960, 1440, 1215, 495, 12, "我心依旧", 0, false, 9},
};
constexpr int kSlogan = 2;

QString Family(const char* file) {
  return QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(file)).value(0);
}

}  // namespace

int main(int argc, char* argv[]) {
  vestora::bench::Steps timed;
  QApplication application(argc, argv);
  const bool steps = argc > 1 && std::strcmp(argv[1], "steps") == 0;
  const bool stay = argc > 1 && std::strcmp(argv[1], "stay") == 0;
  if (steps) timed.Step("1.QApplication");
  const QString kai = Family(":/fonts/VestoraKai-Regular.ttf");
  const QString sans = Family(":/fonts/VestoraSans-Regular.ttf");
  if (kai.isEmpty() || sans.isEmpty()) return 2;
  if (steps) timed.Step("4.install_embedded_fonts");
  vestora::bench::FirstPaint probe(
      {}, [steps, &timed] { vestora::bench::EndAtFirstPaint(steps ? &timed : nullptr); });
  if (!stay) application.installEventFilter(&probe);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Vestora"));
  window.setWindowIcon(QIcon(QStringLiteral(":/icon/vestora.ico")));
  window.setFixedSize(600, 519);
  QPalette black = window.palette();
  black.setColor(QPalette::Window, Qt::black);
  window.setPalette(black);
  window.setAutoFillBackground(true);
  QWidget* made[std::size(kControls)] = {};
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    const Control& control = kControls[i];
    QWidget* parent = control.group >= 0 ? made[control.group] : &window;
    const QString text = QString::fromUtf8(control.text);
    QWidget* widget = nullptr;
    switch (control.kind) {
      case Kind::Group:
        widget = new QGroupBox(text, parent);
        break;
      case Kind::Label:
        widget = new QLabel(text, parent);
        static_cast<QLabel*>(widget)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget->setAutoFillBackground(true);
        break;
      case Kind::Button:
        widget = new QPushButton(text, parent);
        break;
    }
    widget->setGeometry(control.left / 15, control.top / 15, control.width / 15,
                        control.height / 15);
    QFont font(control.kai ? kai : sans);
    font.setPointSizeF(control.points);
    widget->setFont(font);
    if (control.kind != Kind::Button) {
      QPalette palette = widget->palette();
      palette.setColor(QPalette::WindowText, QColor::fromRgb(control.colour));
      palette.setColor(QPalette::Window, Qt::black);
      widget->setPalette(palette);
    } else {
      widget->setFocusPolicy(Qt::StrongFocus);
    }
    made[i] = widget;
  }
  QTimer blink;
  QObject::connect(&blink, &QTimer::timeout,
                   [slogan = made[kSlogan]] { slogan->setVisible(!slogan->isVisible()); });
  blink.start(250);
  made[3]->setFocus();
  if (steps) timed.Step("7.build_and_show_main_window");
  window.show();
  return QApplication::exec();
}
