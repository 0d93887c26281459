// The few widgets Qt does not have in the shape the program needs: a frame that draws its
// caption in its top border line, a picture box that shows a picture unscaled from its top-left
// corner, and a push button that Enter presses.
#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QWidget>

#include "forms/qt/pictures.h"

namespace vestora::qt {

class FrameBox final : public QWidget {
 public:
  FrameBox(const QString& caption, QWidget* parent);
  const QString& Caption() const { return caption_; }
  // Where the caption's text is drawn, in the frame's coordinates.
  QRect CaptionRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

class PictureBox final : public QWidget {
 public:
  // The box keeps the picture's encoded bytes only and decodes them whenever it paints: once
  // painted, the pixels live in the window's backing store and nowhere else.
  PictureBox(EncodedPicture picture, QColor background, QWidget* parent);
  ~PictureBox() override;

  // The pixels the box draws, decoded anew.
  QImage Picture() const;
  // Picture boxes alive in the program, for leak checks.
  static int LiveCount();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void SetFocusCue(bool shown);

  EncodedPicture picture_;
  QColor background_;
  bool focusCue_ = false;
};

// A push button that Return and keypad Enter press while it has the focus, as Space does, the way
// buttons of Windows and GTK programs behave. Qt's own way to that, an auto-default button, draws
// a default button's frame in several styles (Fusion among them) and makes the button a default
// one: this one stays a plain button and looks exactly like one. A held key presses it once.
class PushButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace vestora::qt
