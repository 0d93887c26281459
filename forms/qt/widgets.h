// The few widgets Qt does not have in the shape the program needs: a frame that draws its
// caption in its top border line, and a picture box that shows a picture unscaled from its
// top-left corner.
#pragma once

#include <QColor>
#include <QImage>
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

}  // namespace vestora::qt
