#include "forms/qt/form_builder.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "forms/failure_texts.h"
#include "forms/qt/contrast.h"
#include "forms/qt/fonts.h"
#include "forms/qt/pictures.h"
#include "forms/qt/program_icon.h"
#include "forms/qt/text.h"
#include "forms/qt/widgets.h"

namespace vestora::qt {
namespace {

// The window's control that takes the focus first, kept on the window.
const char* const kFirstFocusProperty = "vestoraFirstFocus";

// The fonts of one window: one font per face and size, shared by the controls that use it, so
// that the toolkit resolves each to a face once.
class WindowFonts {
 public:
  const QFont& For(const forms::Font& font) {
    if (font.face != forms::FontFace::Kai) return default_;
    auto known = kai_.find(font.points);
    if (known == kai_.end()) known = kai_.emplace(font.points, KaiFont(font.points)).first;
    return known->second;
  }

 private:
  QFont default_ = DefaultFont();
  std::map<double, QFont> kai_;
};

// A control without colours of its own keeps the palette it inherits instead of being given a
// copy of it: less work per control.
void SetColors(QWidget* widget, const forms::ControlDescription& control) {
  const auto toColor = [](const std::optional<forms::Color>& color) -> std::optional<QColor> {
    if (!color) return std::nullopt;
    return ToColor(*color);
  };
  SetDescribedColors(widget, toColor(control.foreground), toColor(control.background));
}

QWidget* BuildControl(const forms::ControlDescription& control, QWidget* parent, WindowFonts& fonts,
                      const std::string& form, forms::FormEvents& events) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case forms::ControlKind::Frame: {
      auto* frame = new FrameBox(ToQString(control.text), parent);
      widget = frame;
      break;
    }
    case forms::ControlKind::Label: {
      auto* label = new QLabel(ToQString(control.text), parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      label->setTextFormat(Qt::PlainText);
      widget = label;
      break;
    }
    case forms::ControlKind::PictureBox: {
      const QColor background = control.background
                                    ? ToColor(*control.background)
                                    : QApplication::palette().color(QPalette::Button);
      widget = new PictureBox(FindPicture(control.picture), background, parent);
      break;
    }
    case forms::ControlKind::PushButton: {
      // Enter presses it while it has the focus, and it is never a default button.
      auto* button = new PushButton(parent);
      // Set as plain text: an ampersand in a caption must not become an access key.
      button->setText(ToQString(control.text).replace('&', QStringLiteral("&&")));
      button->setAutoDefault(false);
      button->setDefault(false);
      QObject::connect(
          button, &QPushButton::clicked, button,
          [&events, form, name = std::string(control.name)] { events.Pressed(form, name); });
      widget = button;
      break;
    }
  }
  widget->setObjectName(ToQString(control.name));
  widget->setGeometry(ToPixels(control.rect));
  // A font equal to the inherited one is not set again: that only costs time and memory.
  const QFont& font = fonts.For(control.font);
  if (widget->font() != font) widget->setFont(font);
  // A picture box paints all of itself over its own background colour.
  if (control.kind != forms::ControlKind::PictureBox) SetColors(widget, control);
  if (!control.accessibleName.empty()) {
    widget->setAccessibleName(QString::fromStdString(control.accessibleName));
  }
  const bool takesFocus = control.kind == forms::ControlKind::PictureBox ||
                          control.kind == forms::ControlKind::PushButton;
  widget->setFocusPolicy(takesFocus ? Qt::StrongFocus : Qt::NoFocus);
  return widget;
}

}  // namespace

QRect ToPixels(const TwipRect& rect) {
  return {rect.left / kTwipsPerPixel, rect.top / kTwipsPerPixel, rect.width / kTwipsPerPixel,
          rect.height / kTwipsPerPixel};
}

QColor ToColor(forms::Color bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

QWidget* BuildForm(const forms::FormDescription& form, forms::FormEvents& events) {
  auto window = std::make_unique<QWidget>();
  const std::string name(form.name);
  window->setObjectName(ToQString(form.name));
  window->setWindowTitle(ToQString(form.caption));
  window->setAttribute(Qt::WA_DeleteOnClose);

  SetDescribedColors(window.get(), std::nullopt, ToColor(form.background));

  // The client area has exactly its stored size, and nothing in it reacts to resizing: the
  // window keeps that size.
  const QSize client(form.clientWidth / kTwipsPerPixel, form.clientHeight / kTwipsPerPixel);
  window->setFixedSize(client);
  if (form.placement == Placement::ManualPlacement) {
    // Client geometry, not frame position: the client area's corner lands at the stored place,
    // off the screen where that is negative.
    window->setGeometry(
        QRect(QPoint(form.clientLeft / kTwipsPerPixel, form.clientTop / kTwipsPerPixel), client));
  }

  WindowFonts fonts;
  std::map<std::string_view, QWidget*> frames;
  // The controls that take the focus, with their focus positions.
  std::vector<std::pair<int, QWidget*>> focusable;
  std::vector<std::pair<QWidget*, std::string_view>> texts;  // converted only when measured
  for (const forms::ControlDescription& control : form.controls) {
    QWidget* parent = window.get();
    if (!control.parent.empty()) {
      const auto frame = frames.find(control.parent);
      if (frame == frames.end()) {
        throw forms::Failure(forms::NoSuchFrame(control.name));
      }
      parent = frame->second;
    }
    QWidget* widget = BuildControl(control, parent, fonts, name, events);
    if (!control.text.empty()) texts.emplace_back(widget, control.text);
    if (control.kind == forms::ControlKind::Frame) frames.emplace(control.name, widget);
    if (widget->focusPolicy() != Qt::NoFocus) focusable.emplace_back(control.focusPosition, widget);
  }

  // Tab walks the controls by focus position, Shift+Tab backwards.
  std::ranges::stable_sort(focusable, {}, &std::pair<int, QWidget*>::first);
  for (std::size_t i = 1; i < focusable.size(); ++i) {
    QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
  }
  if (!focusable.empty()) {
    window->setProperty(kFirstFocusProperty, QVariant::fromValue(focusable.front().second));
  }

  if (form.timer) {
    auto* timer = new QTimer(window.get());
    timer->setObjectName(ToQString(form.timer->name));
    timer->setInterval(form.timer->intervalMs);
    QObject::connect(timer, &QTimer::timeout, window.get(),
                     [&events, name, timerName = std::string(form.timer->name)] {
                       events.Ticked(name, timerName);
                     });
    timer->start();
  }

  // Last: the icon may still be being read (see BeginReadingProgramIcon). If so, the fonts of the
  // window's texts are loaded and their characters measured meanwhile, work the first paint
  // would do otherwise.
  if (form.hasIcon) {
    if (!ProgramIconReady()) {
      for (const auto& [widget, text] : texts) {
        QFontMetrics(widget->font()).horizontalAdvance(ToQString(text));
      }
    }
    window->setWindowIcon(ProgramIcon());
  }

  QObject::connect(window.get(), &QObject::destroyed, [&events, name] { events.Closed(name); });
  return window.release();
}

QWidget* FirstInFocusOrder(QWidget* window) {
  return window->property(kFirstFocusProperty).value<QWidget*>();
}

}  // namespace vestora::qt
