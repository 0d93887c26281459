#include "forms/qt/widgets.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include "forms/qt/contrast.h"

namespace vestora::qt {
namespace {

int livePictureBoxes = 0;
constexpr int kCaptionIndent = 8;  // pixels from the frame's left edge to its caption
constexpr int kCaptionPadding = 2;

}  // namespace

FrameBox::FrameBox(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

QRect FrameBox::CaptionRect() const {
  const QFontMetrics metrics(font());
  return {kCaptionIndent, 0, metrics.horizontalAdvance(caption_) + 2 * kCaptionPadding,
          metrics.height()};
}

void FrameBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor background = palette().color(QPalette::Window);
  painter.fillRect(rect(), background);

  // An etched border whose top line runs through the middle of the caption; in high contrast a
  // line of the text's colour.
  const std::optional<ContrastColors> contrast = HighContrastColors();
  const int top = QFontMetrics(font()).height() / 2;
  const QRect border(0, top, width() - 2, height() - top - 2);
  painter.setPen(contrast ? contrast->text : palette().color(QPalette::Dark));
  painter.drawRect(border);
  if (!contrast) {
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
  }

  const QRect caption = CaptionRect();
  painter.fillRect(caption, background);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignCenter, caption_);
}

PictureBox::PictureBox(EncodedPicture picture, QColor background, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)), background_(background) {
  ++livePictureBoxes;
  setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox() {
  --livePictureBoxes;
}

int PictureBox::LiveCount() {
  return livePictureBoxes;
}

QImage PictureBox::Picture() const {
  return DecodePicture(picture_);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  // Unscaled from the top-left corner: what lies beyond the box is cut off, and where the
  // picture is smaller the background shows to its right and below it.
  QPainter painter(this);
  QImage picture;
  if (event->rect().intersects(QRect(QPoint(0, 0), picture_.size))) picture = Picture();
  // The background is filled only where the picture does not cover it; in high contrast it is
  // the window's.
  const std::optional<ContrastColors> contrast = HighContrastColors();
  const QRect covered = QRect(QPoint(0, 0), picture.size()) & rect();
  for (const QRect& part : QRegion(rect()).subtracted(covered)) {
    painter.fillRect(part, contrast ? contrast->window : background_);
  }
  painter.drawImage(QPoint(0, 0), picture);
  if (focusCue_) {
    // A dotted frame of dashes of two colours that contrast, seen on any picture: black and
    // white, or in high contrast the desktop's text and window colours.
    const QRect frame = rect().adjusted(1, 1, -2, -2);
    painter.setPen(QPen(contrast ? contrast->text : QColor(Qt::black), 1));
    painter.drawRect(frame);
    painter.setPen(QPen(contrast ? contrast->window : QColor(Qt::white), 1, Qt::DotLine));
    painter.drawRect(frame);
  }
}

// A box that the keyboard moved the focus to shows it, so that Tab through a window is seen to
// move; the focus a new window gives its first box is not marked, and the picture stays whole.
void PictureBox::focusInEvent(QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  SetFocusCue(reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason);
  QWidget::focusInEvent(event);
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
  SetFocusCue(false);
  QWidget::focusOutEvent(event);
}

// Repaints only when the cue comes or goes: a picture is decoded for every paint.
void PictureBox::SetFocusCue(bool shown) {
  if (focusCue_ == shown) return;
  focusCue_ = shown;
  update();
}

void PushButton::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  // Keypad Enter comes with the keypad modifier; any other modifier leaves the key to others.
  if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    QPushButton::keyPressEvent(event);
    return;
  }
  event->accept();
  if (!event->isAutoRepeat()) click();
}

}  // namespace vestora::qt
