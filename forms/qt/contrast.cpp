#include "forms/qt/contrast.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QStyle>

#include "forms/qt/motion_setting.h"

namespace vestora::qt {
namespace {

// The described colours, kept on the widget; an invalid colour is none.
const char* const kForegroundProperty = "vestoraForeground";
const char* const kBackgroundProperty = "vestoraBackground";

// Whether the platform gives a palette of the desktop's: without one, the application's palette
// is the style's own.
bool DesktopGivesPalette() {
  return QApplication::palette() != QApplication::style()->standardPalette();
}

void ShowColors(QWidget* widget, const std::optional<ContrastColors>& contrast) {
  const QColor foreground = widget->property(kForegroundProperty).value<QColor>();
  const QColor background = widget->property(kBackgroundProperty).value<QColor>();
  if (!foreground.isValid() && !background.isValid()) return;
  QPalette palette = widget->palette();
  if (foreground.isValid()) {
    palette.setColor(QPalette::WindowText, contrast ? contrast->text : foreground);
  }
  if (background.isValid()) {
    palette.setColor(QPalette::Window, contrast ? contrast->window : background);
  }
  widget->setPalette(palette);
  widget->setAutoFillBackground(background.isValid());
}

// Every window of the program and what it holds, in the colours of the moment.
void ShowColorsEverywhere() {
  const std::optional<ContrastColors> contrast = HighContrastColors();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    ShowColors(window, contrast);
    for (QWidget* child : window->findChildren<QWidget*>()) {
      ShowColors(child, contrast);
      // The program's own widgets paint with the colours of the moment (see widgets.cpp).
      child->update();
    }
    window->update();
  }
}

// Hears of the desktop's palette changing: while high contrast is on, its colours are shown.
class PaletteWatch final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ApplicationPaletteChange && watched == qApp &&
        DesktopHighContrast()) {
      ShowColorsEverywhere();
    }
    return false;
  }
};

}  // namespace

std::optional<ContrastColors> HighContrastColors() {
  if (!DesktopHighContrast()) return std::nullopt;
  if (DesktopGivesPalette()) {
    const QPalette desktop = QApplication::palette();
    return ContrastColors{desktop.color(QPalette::Window), desktop.color(QPalette::WindowText)};
  }
  if (DesktopColorScheme() == DesktopScheme::Dark) return ContrastColors{Qt::black, Qt::white};
  return ContrastColors{Qt::white, Qt::black};
}

void SetDescribedColors(QWidget* widget, std::optional<QColor> foreground,
                        std::optional<QColor> background) {
  if (!foreground && !background) return;
  widget->setProperty(kForegroundProperty, foreground.value_or(QColor()));
  widget->setProperty(kBackgroundProperty, background.value_or(QColor()));
  ShowColors(widget, HighContrastColors());
}

void FollowHighContrast() {
  FollowContrastSetting(ShowColorsEverywhere);
  qApp->installEventFilter(new PaletteWatch(qApp));
}

}  // namespace vestora::qt
