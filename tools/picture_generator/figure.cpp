#include "figure.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "drawing.h"

namespace vestora::pictures {

namespace {

// The figure is drawn on a 140 x 226 design grid, scaled to the picture.
constexpr double kDesignWidth = 140;
constexpr double kDesignHeight = 226;
constexpr double kCenterX = 70;
constexpr QPointF kHeadCenter(70, 60);
constexpr double kHeadRx = 23;
constexpr double kHeadRy = 24;
constexpr QPointF kLeftEye(61, 65);
constexpr QPointF kRightEye(79, 65);

QPen OutlinePen(const QColor& fill, double width = 1.1) {
  return QPen(Shade(fill, 0.55), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawPattern(QPainter& p, const QRectF& area, Pattern pattern, const QColor& color) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  switch (pattern) {
    case Pattern::Plain:
      break;
    case Pattern::Stripes:
      for (double y = area.top() + 2; y < area.bottom(); y += 7) {
        p.drawRect(QRectF(area.left(), y, area.width(), 2.6));
      }
      break;
    case Pattern::Dots:
      for (double y = area.top() + 3, row = 0; y < area.bottom(); y += 6, ++row) {
        for (double x = area.left() + (static_cast<int>(row) % 2 ? 3 : 0); x < area.right();
             x += 6) {
          p.drawEllipse(QPointF(x, y), 1.4, 1.4);
        }
      }
      break;
    case Pattern::Hearts:
      for (double y = area.top() + 4, row = 0; y < area.bottom(); y += 9, ++row) {
        for (double x = area.left() + (static_cast<int>(row) % 2 ? 4.5 : 0); x < area.right();
             x += 9) {
          p.drawPath(HeartPath(QPointF(x, y), 2.6));
        }
      }
      break;
    case Pattern::Checks: {
      const QColor line = WithAlpha(color, 150);
      p.setBrush(line);
      for (double y = area.top(); y < area.bottom(); y += 8) {
        p.drawRect(QRectF(area.left(), y, area.width(), 2.5));
      }
      for (double x = area.left(); x < area.right(); x += 8) {
        p.drawRect(QRectF(x, area.top(), 2.5, area.height()));
      }
      break;
    }
    case Pattern::Stars:
      for (double y = area.top() + 4, row = 0; y < area.bottom(); y += 10, ++row) {
        for (double x = area.left() + (static_cast<int>(row) % 2 ? 5 : 0); x < area.right();
             x += 10) {
          p.drawPath(StarPath(QPointF(x, y), 2.8, 1.2, 5));
        }
      }
      break;
    case Pattern::Flowers:
      for (double y = area.top() + 5, row = 0; y < area.bottom(); y += 11, ++row) {
        for (double x = area.left() + (static_cast<int>(row) % 2 ? 5.5 : 0); x < area.right();
             x += 11) {
          DrawFlower(p, QPointF(x, y), 3.0, color, QColor(255, 230, 120));
        }
      }
      break;
  }
  p.restore();
}

// Fills a garment piece, lays its pattern inside it and outlines it.
void DrawPiece(QPainter& p, const QPainterPath& shape, const QColor& fill, Pattern pattern,
               const QColor& patternColor) {
  p.save();
  QLinearGradient shading(shape.boundingRect().topLeft(), shape.boundingRect().topRight());
  shading.setColorAt(0, Shade(fill, 1.06));
  shading.setColorAt(0.6, fill);
  shading.setColorAt(1, Shade(fill, 0.86));
  p.setPen(Qt::NoPen);
  p.setBrush(shading);
  p.drawPath(shape);
  if (pattern != Pattern::Plain) {
    p.setClipPath(shape);
    DrawPattern(p, shape.boundingRect(), pattern, patternColor);
    p.setClipping(false);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(OutlinePen(fill));
  p.drawPath(shape);
  p.restore();
}

void DrawBackground(QPainter& p, const FigureLook& look, double w, double h) {
  FillVertical(p, QRectF(0, 0, w, h), look.backgroundTop, look.backgroundBottom);
  Rng rng(look.decorSeed);
  p.save();
  p.setPen(Qt::NoPen);
  const QColor c = look.decorColor;
  switch (look.decor) {
    case Decor::Bubbles:
      for (int i = 0; i < 16; ++i) {
        const QPointF at{rng.Real(0, w), rng.Real(0, h * 0.85)};
        const double r = rng.Real(3, 13);
        p.setBrush(WithAlpha(c, rng.Int(40, 90)));
        p.setPen(QPen(WithAlpha(QColor(255, 255, 255), 170), 1));
        p.drawEllipse(at, r, r);
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(QColor(255, 255, 255), 190));
        p.drawEllipse(at + QPointF(-r * 0.35, -r * 0.35), r * 0.22, r * 0.22);
      }
      break;
    case Decor::Hearts:
      for (int i = 0; i < 18; ++i) {
        const QColor tint = Shade(c, rng.Real(0.85, 1.15));
        p.setBrush(WithAlpha(tint, rng.Int(60, 130)));
        const QPointF at{rng.Real(0, w), rng.Real(0, h * 0.9)};
        p.drawPath(HeartPath(at, rng.Real(3, 9)));
      }
      break;
    case Decor::Stars:
      for (int i = 0; i < 20; ++i) {
        p.setBrush(WithAlpha(c, rng.Int(70, 160)));
        const double r = rng.Real(2.5, 7);
        const QPointF at{rng.Real(0, w), rng.Real(0, h * 0.9)};
        p.drawPath(StarPath(at, r, r * 0.45, 5, rng.Real(0, 1)));
      }
      break;
    case Decor::Dots:
      p.setBrush(WithAlpha(c, 70));
      for (double y = 6, row = 0; y < h; y += 14, ++row) {
        for (double x = static_cast<int>(row) % 2 ? 7 : 0; x < w + 7; x += 14) {
          p.drawEllipse(QPointF(x, y), 3.2, 3.2);
        }
      }
      break;
    case Decor::Stripes:
      p.setBrush(WithAlpha(c, 55));
      for (double x = -h; x < w; x += 16) {
        QPainterPath band;
        band.moveTo(x, h);
        band.lineTo(x + h, 0);
        band.lineTo(x + h + 7, 0);
        band.lineTo(x + 7, h);
        band.closeSubpath();
        p.drawPath(band);
      }
      break;
    case Decor::Checks:
      p.setBrush(WithAlpha(c, 45));
      for (double y = 0; y < h; y += 20) p.drawRect(QRectF(0, y, w, 10));
      for (double x = 0; x < w; x += 20) p.drawRect(QRectF(x, 0, 10, h));
      break;
    case Decor::Flowers:
      for (int i = 0; i < 12; ++i) {
        const QPointF at{rng.Real(0, w), rng.Real(0, h * 0.9)};
        const double r = rng.Real(4, 8);
        const QColor petals = WithAlpha(Shade(c, rng.Real(0.9, 1.2)), 140);
        DrawFlower(p, at, r, petals, WithAlpha(QColor(255, 240, 170), 200));
      }
      break;
    case Decor::Sparkles:
      for (int i = 0; i < 14; ++i) {
        const QPointF at{rng.Real(0, w), rng.Real(0, h * 0.9)};
        DrawSparkle(p, at, rng.Real(2.5, 6), WithAlpha(c, 200));
      }
      break;
    case Decor::Notes:
      for (int i = 0; i < 12; ++i) {
        const QPointF at{rng.Real(0, w), rng.Real(8, h * 0.9)};
        const double s = rng.Real(3, 5);
        p.setBrush(WithAlpha(c, 130));
        p.setPen(Qt::NoPen);
        p.drawEllipse(at, s, s * 0.75);
        p.setPen(QPen(WithAlpha(c, 130), 1.2));
        p.drawLine(at + QPointF(s * 0.9, 0), at + QPointF(s * 0.9, -s * 3.2));
        p.drawLine(at + QPointF(s * 0.9, -s * 3.2), at + QPointF(s * 2.2, -s * 2.4));
        p.setPen(Qt::NoPen);
      }
      break;
  }
  p.restore();
  // A soft floor under the figure.
  QRadialGradient floor(QPointF(w / 2, h * 0.93), w * 0.6);
  floor.setColorAt(0, WithAlpha(QColor(255, 255, 255), 120));
  floor.setColorAt(1, WithAlpha(QColor(255, 255, 255), 0));
  p.setPen(Qt::NoPen);
  p.setBrush(floor);
  p.drawEllipse(QPointF(w / 2, h * 0.93), w * 0.6, h * 0.09);
}

// ---- Hair ---------------------------------------------------------------------------------

void DrawHairBack(QPainter& p, const FigureLook& look) {
  const QColor hair = look.hair;
  QPainterPath back;
  switch (look.hairStyle) {
    case HairStyle::Long:
    case HairStyle::SweptLong: {
      back.moveTo(44, 60);
      back.cubicTo(40, 20, 100, 20, 96, 60);
      back.cubicTo(98, 90, 104, 110, 100, 132);
      back.lineTo(94, 126);
      back.lineTo(88, 134);
      back.lineTo(52, 134);
      back.lineTo(46, 126);
      back.lineTo(40, 132);
      back.cubicTo(36, 110, 42, 90, 44, 60);
      back.closeSubpath();
      break;
    }
    case HairStyle::Curly: {
      back.setFillRule(Qt::WindingFill);
      back.addEllipse(kHeadCenter - QPointF(0, 4), 28, 28);
      for (int i = 0; i < 6; ++i) {
        back.addEllipse(QPointF(43 - (i % 2) * 2, 70 + i * 10), 8, 7);
        back.addEllipse(QPointF(97 + (i % 2) * 2, 70 + i * 10), 8, 7);
      }
      back.addRect(QRectF(44, 60, 52, 66));
      back = back.simplified();
      break;
    }
    case HairStyle::Bob:
    case HairStyle::SweptBob:
      back.addRoundedRect(QRectF(42, 34, 56, 62), 22, 22);
      break;
    case HairStyle::TwinTails:
      for (int side : {-1, 1}) {
        QPainterPath tail;
        const double x = kCenterX + side * 26;
        tail.moveTo(x, 46);
        tail.cubicTo(x + side * 22, 58, x + side * 18, 110, x + side * 10, 134);
        tail.cubicTo(x + side * 4, 118, x - side * 2, 84, x - side * 2, 56);
        tail.closeSubpath();
        back.addPath(tail);
      }
      back.addEllipse(kHeadCenter - QPointF(0, 3), 26, 26);
      break;
    case HairStyle::Ponytail: {
      QPainterPath tail;
      tail.moveTo(88, 36);
      tail.cubicTo(118, 40, 114, 96, 104, 118);
      tail.cubicTo(100, 96, 98, 70, 84, 52);
      tail.closeSubpath();
      back.addPath(tail);
      back.addEllipse(kHeadCenter - QPointF(0, 3), 26, 26);
      break;
    }
    case HairStyle::Buns:
      back.addEllipse(QPointF(49, 38), 11, 11);
      back.addEllipse(QPointF(91, 38), 11, 11);
      back.addEllipse(kHeadCenter - QPointF(0, 3), 26, 26);
      break;
    case HairStyle::TopBun:
      back.addEllipse(QPointF(70, 30), 14, 12);
      back.addEllipse(kHeadCenter - QPointF(0, 3), 26, 26);
      break;
    case HairStyle::Afro:
      back.setFillRule(Qt::WindingFill);
      for (int i = 0; i < 14; ++i) {
        const double a = i * 2 * std::numbers::pi / 14;
        back.addEllipse(QPointF(70 + 30 * std::cos(a), 50 + 28 * std::sin(a)), 12, 12);
      }
      back.addEllipse(QPointF(70, 50), 32, 30);
      back = back.simplified();
      break;
    default:
      return;
  }
  QRadialGradient shine(QPointF(62, 40), 70);
  shine.setColorAt(0, Shade(hair, 1.2));
  shine.setColorAt(1, Shade(hair, 0.85));
  p.setBrush(shine);
  p.setPen(OutlinePen(hair));
  p.drawPath(back);
  if (look.hairStyle == HairStyle::TwinTails) {
    p.setBrush(look.accent);
    p.setPen(OutlinePen(look.accent));
    p.drawEllipse(QPointF(43, 50), 4.5, 4.5);
    p.drawEllipse(QPointF(97, 50), 4.5, 4.5);
  }
  if (look.hairStyle == HairStyle::TopBun) {
    p.setPen(QPen(look.accent, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(52, 22), QPointF(90, 36));
    p.setBrush(look.accent);
    p.drawEllipse(QPointF(90, 36), 2.5, 2.5);
  }
}

void DrawHairFront(QPainter& p, const FigureLook& look) {
  const QColor hair = look.hair;
  const HairStyle s = look.hairStyle;
  QPainterPath cap;
  auto capStart = [&cap](double rx, double ry, double cy) {
    cap.moveTo(kCenterX - rx, cy);
    cap.arcTo(QRectF(kCenterX - rx, cy - ry, rx * 2, ry * 2), 180, -180);
  };
  switch (s) {
    case HairStyle::Afro:
      return;  // drawn whole at the back; only a fringe line in front
    case HairStyle::Mohawk: {
      QPainterPath crest;
      crest.moveTo(62, 46);
      for (int i = 0; i <= 6; ++i) {
        crest.lineTo(60 + i * 3.5, i % 2 ? 34 - i * 1.5 : 12 + i * 2.5);
      }
      crest.lineTo(82, 46);
      crest.closeSubpath();
      p.setBrush(hair);
      p.setPen(OutlinePen(hair));
      p.drawPath(crest);
      // Shaved sides.
      p.setBrush(WithAlpha(Shade(hair, 1.3), 90));
      p.setPen(Qt::NoPen);
      capStart(24, 24, 58);
      cap.lineTo(94, 52);
      cap.lineTo(46, 52);
      cap.closeSubpath();
      p.drawPath(cap);
      return;
    }
    case HairStyle::Buzz:
      capStart(24, 25, 58);
      cap.cubicTo(88, 46, 52, 46, 46, 58);
      cap.closeSubpath();
      p.setBrush(WithAlpha(hair, 200));
      p.setPen(Qt::NoPen);
      p.drawPath(cap);
      return;
    default:
      break;
  }
  capStart(26, 25, 58);
  // The fringe, from the right temple back to the left.
  switch (s) {
    case HairStyle::SweptLong:
    case HairStyle::SweptBob:
      cap.lineTo(96, 62);
      cap.cubicTo(90, 70, 80, 72, 72, 66);
      cap.cubicTo(64, 60, 56, 52, 46, 54);
      cap.lineTo(44, 62);
      break;
    case HairStyle::Short:
    case HairStyle::SidePart:
      cap.lineTo(94, 56);
      cap.cubicTo(84, 46, 70, 52, 60, 50);
      cap.quadTo(52, 52, 46, 58);
      break;
    case HairStyle::Spiky:
    case HairStyle::Messy:
      for (int i = 0; i <= 8; ++i) {
        const double x = 96 - i * 6.5;
        cap.lineTo(x, i % 2 ? 48 : 56 + (s == HairStyle::Messy ? (i % 3) * 2 : 0));
      }
      break;
    default:  // straight fringe
      for (int i = 0; i <= 6; ++i) {
        const double x = 96 - i * 52.0 / 6;
        cap.lineTo(x + 4.3, 54);
        cap.quadTo(x, 58, x - 4.3, 54);
      }
      cap.lineTo(44, 58);
      break;
  }
  cap.closeSubpath();
  QPainterPath front = cap;
  if (s == HairStyle::Spiky) {
    for (int i = 0; i < 5; ++i) {
      QPainterPath spike;
      const double a = std::numbers::pi * (1.1 + i * 0.2);
      const QPointF base(kCenterX + 24 * std::cos(a), 58 + 24 * std::sin(a));
      const QPointF tip(kCenterX + 36 * std::cos(a), 56 + 36 * std::sin(a));
      const QPointF side(-std::sin(a) * 7, std::cos(a) * 7);
      spike.moveTo(base - side);
      spike.lineTo(tip);
      spike.lineTo(base + side);
      spike.closeSubpath();
      front.addPath(spike);
    }
    front = front.simplified();
  }
  if (look.girl && s != HairStyle::Bob && s != HairStyle::SweptBob) {
    // Side locks framing the face.
    QPainterPath locks;
    locks.moveTo(44, 54);
    locks.cubicTo(42, 70, 44, 86, 48, 96);
    locks.cubicTo(52, 84, 51, 68, 52, 58);
    locks.closeSubpath();
    locks.moveTo(96, 54);
    locks.cubicTo(98, 70, 96, 86, 92, 96);
    locks.cubicTo(88, 84, 89, 68, 88, 58);
    locks.closeSubpath();
    front.addPath(locks);
    front.setFillRule(Qt::WindingFill);
  }
  QRadialGradient shine(QPointF(60, 40), 50);
  shine.setColorAt(0, Shade(hair, 1.25));
  shine.setColorAt(1, Shade(hair, 0.92));
  p.setBrush(shine);
  p.setPen(OutlinePen(hair));
  p.drawPath(front);
  // A highlight band.
  p.setPen(QPen(WithAlpha(Shade(hair, 1.6), 130), 2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(50, 38, 40, 24), 30 * 16, 100 * 16);
  if (s == HairStyle::SidePart) {
    p.setPen(QPen(Shade(hair, 0.6), 1.2));
    p.drawLine(QPointF(80, 35), QPointF(78, 48));
  }
}

// ---- Head and face ------------------------------------------------------------------------

void DrawHead(QPainter& p, const FigureLook& look) {
  p.setPen(OutlinePen(look.skin, 1.0));
  p.setBrush(look.skin);
  if (!look.girl) {  // girls' ears stay under their hair
    p.drawEllipse(QPointF(46, 66), 4, 5.5);
    p.drawEllipse(QPointF(94, 66), 4, 5.5);
  }
  QRadialGradient face(QPointF(64, 56), 34);
  face.setColorAt(0, Shade(look.skin, 1.04));
  face.setColorAt(1, Shade(look.skin, 0.94));
  p.setBrush(face);
  p.drawEllipse(kHeadCenter, kHeadRx, kHeadRy);
}

void DrawEye(QPainter& p, QPointF c, const FigureLook& look, bool closed) {
  const double big = look.girl ? 1.0 : 0.8;
  const QColor lash(50, 35, 35);
  if (closed) {
    p.setPen(QPen(lash, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 5 * big, c.y() - 4, 10 * big, 7), 200 * 16, 140 * 16);
    return;
  }
  p.setPen(QPen(WithAlpha(lash, 160), 0.6));
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(c, 4.6 * big, 6 * big);
  QRadialGradient iris(c + QPointF(0, 1), 5 * big);
  iris.setColorAt(0, Shade(look.eyes, 1.3));
  iris.setColorAt(1, Shade(look.eyes, 0.7));
  p.setPen(Qt::NoPen);
  p.setBrush(iris);
  p.drawEllipse(c + QPointF(0, 0.8), 3.6 * big, 4.8 * big);
  p.setBrush(QColor(25, 20, 30));
  p.drawEllipse(c + QPointF(0, 1.0), 1.8 * big, 2.6 * big);
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(c + QPointF(-1.3, -1.6), 1.4, 1.4);
  p.drawEllipse(c + QPointF(1.4, 2.4), 0.7, 0.7);
  p.setPen(QPen(lash, look.girl ? 1.8 : 1.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - 5 * big, c.y() - 6.2 * big, 10 * big, 10 * big), 20 * 16, 140 * 16);
  if (look.girl) p.drawLine(c + QPointF(4.3, -3), c + QPointF(6.3, -4.6));
}

void DrawFace(QPainter& p, const FigureLook& look, const FigureFrame& frame) {
  DrawEye(p, kLeftEye, look, frame.eyesClosed);
  DrawEye(p, kRightEye, look, frame.eyesClosed);
  // Brows.
  p.setPen(QPen(Shade(look.hair, 0.7), look.girl ? 1.0 : 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(57, 55.5), QPointF(64, 55));
  p.drawLine(QPointF(76, 55), QPointF(83, 55.5));
  if (look.blush) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 120, 140, 80));
    p.drawEllipse(QPointF(55, 73), 4.5, 2.5);
    p.drawEllipse(QPointF(85, 73), 4.5, 2.5);
  }
  p.setPen(QPen(Shade(look.skin, 0.7), 1));
  p.drawLine(QPointF(70, 70), QPointF(69, 72));
  const QColor lip(200, 70, 80);
  p.setPen(QPen(Shade(lip, 0.8), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  switch (look.mouth) {
    case Mouth::Smile:
      p.drawArc(QRectF(65, 72, 10, 6), 200 * 16, 140 * 16);
      break;
    case Mouth::Open: {
      QPainterPath m;
      m.moveTo(65.5, 76);
      m.quadTo(70, 84, 74.5, 76);
      m.closeSubpath();
      p.setBrush(QColor(190, 60, 70));
      p.drawPath(m);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 140, 150));
      p.drawEllipse(QPointF(70, 79.5), 2.2, 1.3);
      break;
    }
    case Mouth::Small:
      p.setBrush(QColor(220, 100, 110));
      p.drawEllipse(QPointF(70, 77), 1.6, 1.9);
      break;
    case Mouth::Cat:
      p.drawArc(QRectF(65, 73, 5, 4), 180 * 16, 180 * 16);
      p.drawArc(QRectF(70, 73, 5, 4), 180 * 16, 180 * 16);
      break;
    case Mouth::Grin: {
      QPainterPath m;
      m.moveTo(62, 75);
      m.quadTo(70, 87, 78, 75);
      m.closeSubpath();
      p.setBrush(QColor(255, 255, 255));
      p.drawPath(m);
      p.drawLine(QPointF(62.5, 76.5), QPointF(77.5, 76.5));
      break;
    }
  }
  if (look.mustache) {
    QPainterPath m;
    m.moveTo(70, 73);
    m.cubicTo(64, 70, 58, 74, 56, 71);
    m.cubicTo(58, 78, 66, 77, 70, 75);
    m.cubicTo(74, 77, 82, 78, 84, 71);
    m.cubicTo(82, 74, 76, 70, 70, 73);
    p.setPen(Qt::NoPen);
    p.setBrush(Shade(look.hair, 0.8));
    p.drawPath(m);
  }
  if (look.clownNose) {
    QRadialGradient nose(QPointF(68.5, 69), 5);
    nose.setColorAt(0, QColor(255, 120, 110));
    nose.setColorAt(1, QColor(210, 20, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(nose);
    p.drawEllipse(QPointF(70, 70.5), 4.2, 4.2);
  }
}

void DrawEyewear(QPainter& p, const FigureLook& look) {
  const QColor c = look.eyewearColor;
  switch (look.eyewear) {
    case Eyewear::None:
      return;
    case Eyewear::Round:
      p.setPen(QPen(c, 1.6));
      p.setBrush(WithAlpha(QColor(255, 255, 255), 40));
      p.drawEllipse(kLeftEye, 7.5, 7.5);
      p.drawEllipse(kRightEye, 7.5, 7.5);
      p.drawLine(QPointF(68.5, 64), QPointF(71.5, 64));
      p.drawLine(QPointF(53.5, 63), QPointF(47, 62));
      p.drawLine(QPointF(86.5, 63), QPointF(93, 62));
      return;
    case Eyewear::Sunglasses: {
      p.setPen(QPen(Shade(c, 0.6), 1.2));
      QLinearGradient lens(QPointF(0, 58), QPointF(0, 71));
      lens.setColorAt(0, Shade(c, 1.2));
      lens.setColorAt(1, Shade(c, 0.5));
      p.setBrush(lens);
      p.drawRoundedRect(QRectF(52, 59, 15, 11), 4, 4);
      p.drawRoundedRect(QRectF(73, 59, 15, 11), 4, 4);
      p.drawLine(QPointF(67, 62), QPointF(73, 62));
      p.drawLine(QPointF(52, 62), QPointF(47, 61));
      p.drawLine(QPointF(88, 62), QPointF(93, 61));
      p.setPen(QPen(WithAlpha(QColor(255, 255, 255), 170), 1.3));
      p.drawLine(QPointF(55, 62), QPointF(58, 60.5));
      p.drawLine(QPointF(76, 62), QPointF(79, 60.5));
      return;
    }
    case Eyewear::Hearts:
    case Eyewear::Stars: {
      p.setPen(QPen(Shade(c, 0.5), 1.2));
      p.setBrush(WithAlpha(c, 220));
      for (QPointF e : {kLeftEye, kRightEye}) {
        p.drawPath(look.eyewear == Eyewear::Hearts ? HeartPath(e, 8.5) : StarPath(e, 10, 5, 5));
      }
      p.drawLine(QPointF(67, 63), QPointF(73, 63));
      return;
    }
    case Eyewear::Mask: {
      QPainterPath mask;
      mask.moveTo(48, 60);
      mask.cubicTo(58, 55, 66, 58, 70, 61);
      mask.cubicTo(74, 58, 82, 55, 92, 60);
      mask.cubicTo(92, 68, 84, 72, 76, 70);
      mask.quadTo(70, 66, 64, 70);
      mask.cubicTo(56, 72, 48, 68, 48, 60);
      QPainterPath holes;
      holes.addEllipse(kLeftEye, 3.5, 3);
      holes.addEllipse(kRightEye, 3.5, 3);
      p.setPen(OutlinePen(c));
      p.setBrush(c);
      p.drawPath(mask.subtracted(holes));
      return;
    }
  }
}

// ---- Headwear -----------------------------------------------------------------------------

bool IsHood(Headwear h) {
  return h == Headwear::BearHood || h == Headwear::CatHood || h == Headwear::DinoHood ||
         h == Headwear::ChickenHood;
}

void DrawHoodBack(QPainter& p, const FigureLook& look) {
  const QColor c = look.headwearColor;
  p.setPen(OutlinePen(c));
  p.setBrush(c);
  switch (look.headwear) {
    case Headwear::BearHood:
      p.drawEllipse(QPointF(45, 32), 10, 10);
      p.drawEllipse(QPointF(95, 32), 10, 10);
      p.setBrush(Shade(c, 1.35));
      p.drawEllipse(QPointF(45, 32), 5, 5);
      p.drawEllipse(QPointF(95, 32), 5, 5);
      break;
    case Headwear::CatHood:
      for (int side : {-1, 1}) {
        QPainterPath ear;
        ear.moveTo(70 + side * 12, 34);
        ear.lineTo(70 + side * 28, 10);
        ear.lineTo(70 + side * 30, 42);
        ear.closeSubpath();
        p.setBrush(c);
        p.drawPath(ear);
      }
      break;
    case Headwear::DinoHood:
      for (int i = 0; i < 5; ++i) {
        const double a = std::numbers::pi * (1.15 + i * 0.175);
        const QPointF base(70 + 30 * std::cos(a), 58 + 30 * std::sin(a));
        const QPointF tip(70 + 42 * std::cos(a), 58 + 42 * std::sin(a));
        const QPointF side(-std::sin(a) * 6, std::cos(a) * 6);
        QPainterPath spike;
        spike.moveTo(base - side);
        spike.lineTo(tip);
        spike.lineTo(base + side);
        spike.closeSubpath();
        p.setBrush(look.accent);
        p.setPen(OutlinePen(look.accent));
        p.drawPath(spike);
      }
      break;
    case Headwear::ChickenHood: {
      p.setBrush(QColor(230, 40, 40));
      p.setPen(OutlinePen(QColor(230, 40, 40)));
      p.drawEllipse(QPointF(62, 28), 6, 7);
      p.drawEllipse(QPointF(70, 25), 6, 8);
      p.drawEllipse(QPointF(78, 28), 6, 7);
      break;
    }
    default:
      break;
  }
  p.setPen(OutlinePen(c));
  p.setBrush(c);
  p.drawEllipse(QPointF(70, 60), 31, 31);
}

void DrawHoodFront(QPainter& p, const FigureLook& look) {
  const QColor c = look.headwearColor;
  QPainterPath ring;
  ring.addEllipse(QPointF(70, 60), 31, 31);
  QPainterPath opening;
  opening.addEllipse(QPointF(70, 66), 23, 22);
  p.setPen(OutlinePen(c));
  p.setBrush(c);
  p.drawPath(ring.subtracted(opening));
  if (look.headwear == Headwear::ChickenHood) {
    QPainterPath beak;
    beak.moveTo(64, 43);
    beak.lineTo(76, 43);
    beak.lineTo(70, 50);
    beak.closeSubpath();
    p.setBrush(QColor(250, 160, 30));
    p.setPen(OutlinePen(QColor(250, 160, 30)));
    p.drawPath(beak);
  }
  if (look.headwear == Headwear::BearHood || look.headwear == Headwear::DinoHood) {
    // Eyes of the hood's animal, on top.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(60, 38), 4, 4);
    p.drawEllipse(QPointF(80, 38), 4, 4);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(60.5, 38.5), 2, 2);
    p.drawEllipse(QPointF(80.5, 38.5), 2, 2);
  }
}

void DrawBow(QPainter& p, QPointF c, double s, const QColor& color) {
  QPainterPath bow;
  bow.moveTo(c);
  bow.cubicTo(c + QPointF(-s * 1.3, -s * 1.1), c + QPointF(-s * 1.6, s * 0.9), c);
  bow.cubicTo(c + QPointF(s * 1.3, -s * 1.1), c + QPointF(s * 1.6, s * 0.9), c);
  p.setPen(OutlinePen(color));
  p.setBrush(color);
  p.drawPath(bow);
  p.setBrush(Shade(color, 0.85));
  p.drawEllipse(c, s * 0.28, s * 0.32);
}

void DrawHeadwear(QPainter& p, const FigureLook& look) {
  const QColor c = look.headwearColor;
  switch (look.headwear) {
    case Headwear::None:
      return;
    case Headwear::Bow:
      DrawBow(p, QPointF(85, 36), 11, c);
      return;
    case Headwear::Cap: {
      QPainterPath dome;
      dome.moveTo(44, 48);
      dome.arcTo(QRectF(44, 26, 52, 44), 180, -180);
      dome.closeSubpath();
      DrawPiece(p, dome, c, Pattern::Plain, c);
      QPainterPath brim;
      brim.moveTo(44, 48);
      brim.quadTo(30, 46, 22, 52);
      brim.quadTo(36, 56, 56, 50);
      brim.closeSubpath();
      DrawPiece(p, brim, Shade(c, 0.85), Pattern::Plain, c);
      p.setPen(Qt::NoPen);
      p.setBrush(look.accent);
      p.drawEllipse(QPointF(70, 27), 2.5, 2);
      p.drawEllipse(QPointF(74, 38), 5, 5);
      return;
    }
    case Headwear::Beanie: {
      QPainterPath dome;
      dome.moveTo(44, 50);
      dome.arcTo(QRectF(44, 22, 52, 56), 180, -180);
      dome.closeSubpath();
      DrawPiece(p, dome, c, Pattern::Stripes, Shade(c, 0.8));
      QPainterPath cuff;
      cuff.addRoundedRect(QRectF(42, 44, 56, 9), 4, 4);
      DrawPiece(p, cuff, look.accent, Pattern::Plain, c);
      p.setPen(OutlinePen(look.accent));
      p.setBrush(look.accent);
      p.drawEllipse(QPointF(70, 20), 6, 6);
      return;
    }
    case Headwear::Beret: {
      QPainterPath beret;
      beret.addEllipse(QPointF(76, 36), 27, 10);
      p.save();
      p.translate(76, 36);
      p.rotate(12);
      p.translate(-76, -36);
      DrawPiece(p, beret, c, Pattern::Plain, c);
      p.setPen(QPen(Shade(c, 0.6), 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(76, 26), QPointF(77, 22));
      p.restore();
      return;
    }
    case Headwear::Crown:
    case Headwear::Tiara: {
      const bool crown = look.headwear == Headwear::Crown;
      const double base = crown ? 38 : 42;
      const double tall = crown ? 22 : 10;
      const double half = crown ? 20 : 15;
      QPainterPath shape;
      shape.moveTo(70 - half, base);
      for (int i = 0; i <= 4; ++i) {
        const double x = 70 - half + i * half / 2;
        shape.lineTo(x, base - (i % 2 == 0 ? tall : tall * 0.55));
        if (i < 4) shape.lineTo(x + half / 4, base - tall * 0.35);
      }
      shape.lineTo(70 + half, base);
      shape.closeSubpath();
      QLinearGradient gold(QPointF(0, base - tall), QPointF(0, base));
      gold.setColorAt(0, QColor(255, 236, 140));
      gold.setColorAt(1, QColor(214, 160, 30));
      p.setBrush(gold);
      p.setPen(OutlinePen(QColor(214, 160, 30)));
      p.drawPath(shape);
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 3; ++i) {
        p.setBrush(i == 1 ? c : look.accent);
        p.drawEllipse(QPointF(70 - half / 2 + i * half / 2, base - tall * 0.25), 2.2, 2.2);
      }
      return;
    }
    case Headwear::FlowerClip:
      DrawFlower(p, QPointF(90, 42), 8, c, QColor(255, 225, 100));
      DrawFlower(p, QPointF(96, 52), 5, Shade(c, 1.2), QColor(255, 225, 100));
      return;
    case Headwear::FlowerCrown:
      for (int i = 0; i < 7; ++i) {
        const double a = std::numbers::pi * (1.05 + i * 0.15);
        DrawFlower(p, QPointF(70 + 25 * std::cos(a), 55 + 23 * std::sin(a)), 5,
                   i % 2 ? c : look.accent, QColor(255, 230, 110));
      }
      return;
    case Headwear::Hairpin:
      p.setPen(QPen(look.accent, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(84, 40), QPointF(94, 48));
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(85 + i * 3.5, 41 + i * 2.8), 2.2, 2.2);
      return;
    case Headwear::Headphones: {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(Shade(c, 0.6), 5.5, Qt::SolidLine, Qt::RoundCap));
      p.drawArc(QRectF(43, 28, 54, 60), 10 * 16, 160 * 16);
      p.setPen(QPen(c, 3.5, Qt::SolidLine, Qt::RoundCap));
      p.drawArc(QRectF(43, 28, 54, 60), 10 * 16, 160 * 16);
      for (double x : {41.0, 89.0}) {
        QPainterPath cup;
        cup.addRoundedRect(QRectF(x, 56, 10, 18), 4, 4);
        DrawPiece(p, cup, c, Pattern::Plain, c);
        p.setPen(Qt::NoPen);
        p.setBrush(look.accent);
        p.drawEllipse(QPointF(x + 5, 65), 2.5, 4);
      }
      return;
    }
    case Headwear::WizardHat: {
      QPainterPath cone;
      cone.moveTo(50, 40);
      cone.cubicTo(60, 28, 70, 14, 88, 2);
      cone.cubicTo(84, 18, 86, 30, 92, 40);
      cone.closeSubpath();
      DrawPiece(p, cone, c, Pattern::Stars, QColor(255, 230, 120));
      QPainterPath brim;
      brim.addEllipse(QPointF(70, 41), 34, 6);
      DrawPiece(p, brim, Shade(c, 0.85), Pattern::Plain, c);
      return;
    }
    case Headwear::TopHat: {
      QPainterPath hat;
      hat.addRoundedRect(QRectF(53, 8, 34, 30), 3, 3);
      DrawPiece(p, hat, c, Pattern::Plain, c);
      p.setPen(Qt::NoPen);
      p.setBrush(look.accent);
      p.drawRect(QRectF(53.5, 30, 33, 5));
      QPainterPath brim;
      brim.addEllipse(QPointF(70, 38), 27, 5);
      DrawPiece(p, brim, Shade(c, 0.9), Pattern::Plain, c);
      return;
    }
    case Headwear::BunnyEars:
    case Headwear::CatEars: {
      for (int side : {-1, 1}) {
        p.save();
        p.translate(70 + side * 13, 38);
        p.rotate(side * 14);
        QPainterPath ear;
        QPainterPath inner;
        if (look.headwear == Headwear::BunnyEars) {
          ear.addEllipse(QPointF(0, -18), 6.5, 19);
          inner.addEllipse(QPointF(0, -17), 3.2, 14);
        } else {
          ear.moveTo(-9, 4);
          ear.lineTo(0, -16);
          ear.lineTo(9, 4);
          ear.closeSubpath();
          inner.moveTo(-5, 2);
          inner.lineTo(0, -9);
          inner.lineTo(5, 2);
          inner.closeSubpath();
        }
        DrawPiece(p, ear, c, Pattern::Plain, c);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 170, 190));
        p.drawPath(inner);
        p.restore();
      }
      p.setPen(QPen(Shade(c, 0.7), 2.5));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(46, 33, 48, 40), 30 * 16, 120 * 16);
      return;
    }
    case Headwear::Halo:
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(WithAlpha(QColor(255, 240, 150), 120), 6));
      p.drawEllipse(QPointF(70, 18), 18, 5);
      p.setPen(QPen(QColor(250, 205, 60), 2.5));
      p.drawEllipse(QPointF(70, 18), 18, 5);
      return;
    case Headwear::Horns:
      for (int side : {-1, 1}) {
        QPainterPath horn;
        horn.moveTo(70 + side * 8, 38);
        horn.quadTo(70 + side * 14, 24, 70 + side * 24, 18);
        horn.quadTo(70 + side * 20, 30, 70 + side * 20, 40);
        horn.closeSubpath();
        DrawPiece(p, horn, c, Pattern::Plain, c);
      }
      return;
    case Headwear::Antennae:
      for (int side : {-1, 1}) {
        p.setPen(QPen(Shade(c, 0.6), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath stalk;
        stalk.moveTo(70 + side * 8, 38);
        stalk.quadTo(70 + side * 10, 22, 70 + side * 20, 12);
        p.drawPath(stalk);
        p.setPen(OutlinePen(c));
        p.setBrush(c);
        p.drawEllipse(QPointF(70 + side * 20, 12), 4.5, 4.5);
      }
      return;
    case Headwear::ClownWig: {
      const QColor colors[] = {QColor(240, 60, 60), QColor(250, 170, 40), QColor(70, 170, 240),
                               QColor(120, 200, 80)};
      int k = 0;
      for (int side : {-1, 1}) {
        for (int i = 0; i < 3; ++i) {
          const QColor& fill = colors[(k++) % 4];
          p.setPen(OutlinePen(fill));
          p.setBrush(fill);
          p.drawEllipse(QPointF(70 + side * (28 + i * 2), 40 + i * 12), 10, 9);
        }
      }
      p.setBrush(QColor(255, 230, 80));
      p.setPen(OutlinePen(QColor(255, 230, 80)));
      p.drawEllipse(QPointF(70, 20), 6, 6);
      QPainterPath hat;
      hat.moveTo(58, 38);
      hat.lineTo(70, 18);
      hat.lineTo(82, 38);
      hat.closeSubpath();
      DrawPiece(p, hat, c, Pattern::Dots, QColor(255, 255, 255));
      return;
    }
    default:
      return;  // hoods are drawn with the head
  }
}

// ---- Body ---------------------------------------------------------------------------------

QPainterPath TorsoPath(bool girl) {
  const double waist = girl ? 14 : 17;
  QPainterPath torso;
  torso.moveTo(60, 90);
  torso.lineTo(80, 90);
  torso.cubicTo(88, 91, 92, 94, 92, 102);
  torso.cubicTo(91, 114, 70 + waist + 1, 122, 70 + waist, 134);
  torso.lineTo(70 - waist, 134);
  torso.cubicTo(70 - waist - 1, 122, 49, 114, 48, 102);
  torso.cubicTo(48, 94, 52, 91, 60, 90);
  torso.closeSubpath();
  return torso;
}

void DrawLegs(QPainter& p, const FigureLook& look) {
  const double inner = look.girl ? 4 : 3;
  const double width = look.girl ? 9.5 : 11;
  const bool trousers = look.outfit == Outfit::TopTrousers || look.outfit == Outfit::Suit ||
                        look.outfit == Outfit::Hoodie || look.outfit == Outfit::BodySuit;
  for (int side : {-1, 1}) {
    const double x = side < 0 ? 70 - inner - width : 70 + inner;
    QPainterPath leg;
    leg.addRoundedRect(QRectF(x, 128, width, 72), 4, 4);
    if (trousers) continue;
    p.setPen(OutlinePen(look.skin, 0.9));
    p.setBrush(look.skin);
    p.drawPath(leg);
    if (look.stockings) {
      QPainterPath sock;
      sock.addRoundedRect(QRectF(x, 172, width, 28), 3, 3);
      DrawPiece(p, sock, look.legwear, Pattern::Plain, look.legwear);
    }
  }
  if (trousers) {
    const QColor c = look.outfit == Outfit::BodySuit ? look.top : look.bottom;
    QPainterPath pants;
    pants.moveTo(70 - 16, 128);
    pants.lineTo(70 + 16, 128);
    pants.lineTo(70 + 17, 198);
    pants.lineTo(70 + 2, 198);
    pants.lineTo(70, 150);
    pants.lineTo(70 - 2, 198);
    pants.lineTo(70 - 17, 198);
    pants.closeSubpath();
    DrawPiece(p, pants, c, look.bottomPattern, Shade(c, 0.8));
    p.setPen(QPen(Shade(c, 0.7), 0.8));
    p.drawLine(QPointF(61, 160), QPointF(61, 196));
    p.drawLine(QPointF(79, 160), QPointF(79, 196));
  }
  // Shoes.
  for (int side : {-1, 1}) {
    QPainterPath shoe;
    const double cx = 70 + side * 10;
    shoe.moveTo(cx - 7, 198);
    shoe.cubicTo(cx - 7, 192, cx + 7, 192, cx + 7, 198);
    shoe.lineTo(cx + 7 + side * 3, 204);
    shoe.quadTo(cx, 207, cx - 7 - (side < 0 ? 3 : 0), 204);
    shoe.closeSubpath();
    DrawPiece(p, shoe, look.shoes, Pattern::Plain, look.shoes);
    p.setPen(QPen(WithAlpha(QColor(255, 255, 255), 150), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx - 3, 196), QPointF(cx + 1, 195.5));
  }
}

void DrawBottom(QPainter& p, const FigureLook& look) {
  const QColor c = look.outfit == Outfit::Dress || look.outfit == Outfit::LongDress ||
                           look.outfit == Outfit::Gown
                       ? look.top
                       : look.bottom;
  const Pattern pattern = look.outfit == Outfit::Dress || look.outfit == Outfit::LongDress ||
                                  look.outfit == Outfit::Gown
                              ? look.topPattern
                              : look.bottomPattern;
  const QColor patternColor = look.outfit == Outfit::TopSkirt ? Shade(c, 0.75) : look.accent;
  switch (look.outfit) {
    case Outfit::Dress:
    case Outfit::TopSkirt: {
      QPainterPath skirt;
      skirt.moveTo(56, 128);
      skirt.lineTo(84, 128);
      skirt.cubicTo(92, 144, 98, 156, 100, 166);
      skirt.quadTo(70, 174, 40, 166);
      skirt.cubicTo(42, 156, 48, 144, 56, 128);
      skirt.closeSubpath();
      DrawPiece(p, skirt, c, pattern, patternColor);
      p.setPen(QPen(Shade(c, 0.7), 0.9));
      for (double x : {56.0, 64.0, 76.0, 84.0}) {
        p.drawLine(QPointF(70 + (x - 70) * 0.5, 132), QPointF(x, 168));
      }
      if (look.outfit == Outfit::Dress) {
        // A frill along the hem.
        p.setPen(OutlinePen(Shade(c, 1.3)));
        p.setBrush(Shade(c, 1.3));
        for (int i = 0; i < 8; ++i) {
          p.drawEllipse(QPointF(43 + i * 7.7, 167 + (i == 0 || i == 7 ? -1 : 1)), 4, 2.5);
        }
      }
      break;
    }
    case Outfit::LongDress: {
      QPainterPath skirt;
      skirt.moveTo(56, 128);
      skirt.lineTo(84, 128);
      skirt.cubicTo(94, 150, 104, 178, 108, 196);
      skirt.quadTo(70, 204, 32, 196);
      skirt.cubicTo(36, 178, 46, 150, 56, 128);
      skirt.closeSubpath();
      DrawPiece(p, skirt, c, pattern, patternColor);
      p.setPen(QPen(Shade(c, 0.72), 0.9));
      for (double x : {44.0, 58.0, 82.0, 96.0}) {
        p.drawLine(QPointF(70 + (x - 70) * 0.4, 134), QPointF(x, 198));
      }
      break;
    }
    case Outfit::Gown: {
      QPainterPath skirt;
      skirt.moveTo(56, 128);
      skirt.lineTo(84, 128);
      skirt.cubicTo(88, 150, 88, 176, 86, 196);
      skirt.lineTo(54, 196);
      skirt.cubicTo(52, 176, 52, 150, 56, 128);
      skirt.closeSubpath();
      DrawPiece(p, skirt, c, pattern, patternColor);
      p.setPen(QPen(Shade(c, 0.6), 1));
      p.drawLine(QPointF(80, 160), QPointF(82, 196));
      break;
    }
    case Outfit::TopShorts: {
      QPainterPath shorts;
      shorts.moveTo(54, 128);
      shorts.lineTo(86, 128);
      shorts.lineTo(88, 158);
      shorts.lineTo(72, 158);
      shorts.lineTo(70, 142);
      shorts.lineTo(68, 158);
      shorts.lineTo(52, 158);
      shorts.closeSubpath();
      DrawPiece(p, shorts, c, pattern, patternColor);
      break;
    }
    default:
      break;
  }
}

void DrawArm(QPainter& p, const FigureLook& look, int side, const FigureFrame& frame) {
  const QPointF shoulder(70 + side * 19, 97);
  QPointF elbow(70 + side * 24, 120);
  QPointF hand(70 + side * 27, 142);
  const Pose pose = look.pose;
  if (pose == Pose::HandOnHip && side < 0) {
    elbow = QPointF(36, 117);
    hand = QPointF(50, 130);
  }
  if (pose == Pose::Wave && side > 0) {
    elbow = QPointF(104, 104);
    const double a = (-62 + frame.waveDegrees) * std::numbers::pi / 180;
    hand = elbow + QPointF(24 * std::cos(a), 24 * std::sin(a));
  }
  QPainterPath arm;
  arm.moveTo(shoulder);
  arm.lineTo(elbow);
  arm.lineTo(hand);
  const QColor sleeve = look.jacket ? look.jacketColor : look.top;
  // Outline, skin, then the sleeve over it.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Shade(look.skin, 0.55), 9.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(arm);
  p.setPen(QPen(look.skin, 7.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(arm);
  QPainterPath cloth;
  cloth.moveTo(shoulder);
  if (look.longSleeves || look.jacket) {
    cloth.lineTo(elbow);
    cloth.lineTo(elbow + (hand - elbow) * 0.78);
  } else {
    cloth.lineTo(shoulder + (elbow - shoulder) * 0.55);
  }
  p.setPen(QPen(Shade(sleeve, 0.55), 11.4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  p.drawPath(cloth);
  p.setPen(QPen(sleeve, 9.6, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  p.drawPath(cloth);
  p.setPen(OutlinePen(look.skin, 0.9));
  p.setBrush(look.skin);
  p.drawEllipse(hand, 4.6, 4.6);
  if (pose == Pose::Wave && side > 0) {
    // Fingers spread in a wave.
    p.setPen(QPen(Shade(look.skin, 0.6), 0.8));
    const QPointF d = (hand - elbow) / 24.0;
    p.drawLine(hand + d * 2, hand + d * 6);
  }
}

void DrawTop(QPainter& p, const FigureLook& look) {
  const QPainterPath torso = TorsoPath(look.girl);
  DrawPiece(p, torso, look.top, look.topPattern,
            look.topPattern == Pattern::Checks ? Shade(look.top, 0.7) : look.accent);
  // Neckline.
  p.save();
  p.setClipPath(torso);
  if (look.outfit == Outfit::Gown) {
    p.setPen(OutlinePen(look.top));
    p.setBrush(Shade(look.top, 0.9));
    p.drawRoundedRect(QRectF(62, 84, 16, 9), 3, 3);
    p.setPen(QPen(look.accent, 1.5));
    p.drawLine(QPointF(70, 93), QPointF(78, 98));
    p.drawLine(QPointF(78, 98), QPointF(86, 98));
    p.setBrush(look.accent);
    for (int i = 0; i < 2; ++i) p.drawEllipse(QPointF(84, 106 + i * 8), 1.8, 1.8);
  } else if (look.outfit == Outfit::Suit) {
    QPainterPath shirt;
    shirt.moveTo(62, 90);
    shirt.lineTo(78, 90);
    shirt.lineTo(70, 120);
    shirt.closeSubpath();
    p.setPen(OutlinePen(QColor(250, 250, 250)));
    p.setBrush(QColor(250, 250, 250));
    p.drawPath(shirt);
  } else {
    p.setPen(OutlinePen(look.skin));
    p.setBrush(look.skin);
    p.drawEllipse(QPointF(70, 90), 8, look.girl ? 7 : 5);
  }
  p.restore();
  if (look.outfit == Outfit::Hoodie) {
    p.setPen(OutlinePen(look.top));
    p.setBrush(Shade(look.top, 0.9));
    QPainterPath hood;
    hood.moveTo(54, 92);
    hood.quadTo(70, 104, 86, 92);
    hood.quadTo(70, 98, 54, 92);
    p.drawPath(hood);
    QPainterPath pocket;
    pocket.addRoundedRect(QRectF(58, 116, 24, 12), 4, 4);
    DrawPiece(p, pocket, Shade(look.top, 0.92), Pattern::Plain, look.top);
    p.setPen(QPen(look.accent, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(66, 96), QPointF(66, 108));
    p.drawLine(QPointF(74, 96), QPointF(74, 108));
  }
  if (look.outfit == Outfit::BodySuit) {
    p.setPen(Qt::NoPen);
    p.setBrush(Shade(look.top, 1.35));
    p.drawEllipse(QPointF(70, 124), 11, 14);
  }
  if (look.jacket || look.outfit == Outfit::Suit) {
    const QColor jc = look.outfit == Outfit::Suit ? look.bottom : look.jacketColor;
    for (int side : {-1, 1}) {
      QPainterPath panel;
      panel.moveTo(70 + side * 8, 90);
      panel.lineTo(70 + side * 10, 90);
      panel.cubicTo(70 + side * 18, 91, 70 + side * 22, 94, 70 + side * 22, 102);
      panel.cubicTo(70 + side * 21, 114, 70 + side * 18, 124, 70 + side * 18, 136);
      panel.lineTo(70 + side * 4, 136);
      panel.lineTo(70 + side * 4, 118);
      panel.closeSubpath();
      DrawPiece(p, panel, jc, Pattern::Plain, jc);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Shade(jc, 0.6));
    p.drawEllipse(QPointF(75.5, 124), 1.4, 1.4);
    p.drawEllipse(QPointF(75.5, 130), 1.4, 1.4);
  }
  if (look.tie) {
    QPainterPath tie;
    tie.moveTo(67, 91);
    tie.lineTo(73, 91);
    tie.lineTo(71.5, 96);
    tie.lineTo(74, 114);
    tie.lineTo(70, 119);
    tie.lineTo(66, 114);
    tie.lineTo(68.5, 96);
    tie.closeSubpath();
    DrawPiece(p, tie, look.accent, Pattern::Stripes, Shade(look.accent, 0.7));
  }
  if (look.belt) {
    p.setPen(OutlinePen(look.accent));
    p.setBrush(look.accent);
    p.drawRect(QRectF(54, 126, 32, 4));
    if (look.outfit == Outfit::Dress || look.outfit == Outfit::LongDress) {
      DrawBow(p, QPointF(70, 128), 6, look.accent);
    }
  }
  if (look.necklace) {
    p.setPen(QPen(QColor(255, 250, 240), 1.4, Qt::DotLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(60, 80, 20, 20), 200 * 16, 140 * 16);
    p.setPen(OutlinePen(look.accent));
    p.setBrush(look.accent);
    p.drawPath(HeartPath(QPointF(70, 101), 3));
  }
}

void DrawScarf(QPainter& p, const FigureLook& look) {
  QPainterPath scarf;
  scarf.addRoundedRect(QRectF(57, 86, 26, 9), 4, 4);
  QPainterPath tail;
  tail.moveTo(74, 92);
  tail.lineTo(82, 92);
  tail.lineTo(84, 122);
  tail.lineTo(76, 124);
  tail.closeSubpath();
  DrawPiece(p, tail, look.accent, Pattern::Stripes, Shade(look.accent, 0.7));
  DrawPiece(p, scarf, look.accent, Pattern::Stripes, Shade(look.accent, 0.7));
}

void DrawBag(QPainter& p, const FigureLook& look) {
  p.setPen(QPen(Shade(look.accent, 0.6), 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(56, 93), QPointF(94, 134));
  QPainterPath bag;
  bag.addRoundedRect(QRectF(88, 130, 20, 16), 4, 4);
  DrawPiece(p, bag, look.accent, Pattern::Plain, look.accent);
  QPainterPath flap;
  flap.moveTo(88, 134);
  flap.quadTo(98, 142, 108, 134);
  flap.lineTo(108, 132);
  flap.quadTo(98, 128, 88, 132);
  flap.closeSubpath();
  DrawPiece(p, flap, Shade(look.accent, 0.85), Pattern::Plain, look.accent);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 220, 120));
  p.drawEllipse(QPointF(98, 138), 1.6, 1.6);
}

void DrawBackPiece(QPainter& p, const FigureLook& look) {
  const QColor c = look.backColor;
  switch (look.back) {
    case BackPiece::None:
      return;
    case BackPiece::AngelWings:
      for (int side : {-1, 1}) {
        for (int i = 0; i < 5; ++i) {
          p.save();
          p.translate(70 + side * 24, 106);
          p.rotate(side * (-60 + i * 18));
          QPainterPath feather;
          feather.addEllipse(QPointF(side * (14 + i * 2), 0), 18 - i * 2, 6);
          DrawPiece(p, feather, Shade(c, 1.0 - i * 0.03), Pattern::Plain, c);
          p.restore();
        }
      }
      return;
    case BackPiece::FairyWings:
      for (int side : {-1, 1}) {
        QPainterPath upper;
        upper.addEllipse(QPointF(70 + side * 36, 92), 20, 14);
        QPainterPath lower;
        lower.addEllipse(QPointF(70 + side * 30, 124), 13, 10);
        p.setPen(QPen(Shade(c, 0.7), 1));
        p.setBrush(WithAlpha(c, 150));
        p.drawPath(upper);
        p.drawPath(lower);
      }
      return;
    case BackPiece::BatWings:
      for (int side : {-1, 1}) {
        QPainterPath wing;
        wing.moveTo(70 + side * 14, 100);
        wing.lineTo(70 + side * 56, 76);
        wing.quadTo(70 + side * 50, 96, 70 + side * 56, 112);
        wing.quadTo(70 + side * 44, 108, 70 + side * 42, 120);
        wing.quadTo(70 + side * 32, 114, 70 + side * 26, 126);
        wing.lineTo(70 + side * 14, 116);
        wing.closeSubpath();
        DrawPiece(p, wing, c, Pattern::Plain, c);
      }
      return;
    case BackPiece::Cape: {
      QPainterPath cape;
      cape.moveTo(54, 92);
      cape.lineTo(86, 92);
      cape.cubicTo(100, 130, 108, 170, 114, 198);
      cape.quadTo(70, 208, 26, 198);
      cape.cubicTo(32, 170, 40, 130, 54, 92);
      cape.closeSubpath();
      QLinearGradient fill(QPointF(26, 0), QPointF(114, 0));
      fill.setColorAt(0, Shade(c, 0.75));
      fill.setColorAt(0.5, c);
      fill.setColorAt(1, Shade(c, 0.7));
      p.setBrush(fill);
      p.setPen(OutlinePen(c));
      p.drawPath(cape);
      return;
    }
  }
}

void DrawTail(QPainter& p, const FigureLook& look) {
  QPainterPath tail;
  tail.moveTo(82, 136);
  tail.cubicTo(104, 150, 96, 170, 112, 166);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Shade(look.backColor, 0.6), 3.4, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(tail);
  p.setPen(QPen(look.backColor, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(tail);
  QPainterPath tip;
  tip.moveTo(108, 166);
  tip.lineTo(118, 158);
  tip.lineTo(116, 170);
  tip.closeSubpath();
  DrawPiece(p, tip, look.backColor, Pattern::Plain, look.backColor);
}

void DrawSparkles(QPainter& p, const FigureLook& look, int phase) {
  static constexpr QPointF kSpots[] = {{22, 40},   {118, 30}, {112, 92}, {24, 112},
                                       {116, 150}, {30, 170}, {50, 16},  {96, 176}};
  for (int i = 0; i < 8; ++i) {
    const int step = (i * 3 + phase) % 6;
    if (step > 2) continue;
    const double size = 3 + (2 - std::abs(step - 1)) * 3;
    DrawSparkle(p, kSpots[i], size, i % 2 ? look.accent : QColor(255, 250, 200));
  }
}

}  // namespace

QImage DrawFigure(int width, int height, const FigureLook& look, const FigureFrame& frame) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  DrawBackground(p, look, width, height);
  const double scale = std::min(width / kDesignWidth, height / kDesignHeight);
  p.translate((width - kDesignWidth * scale) / 2, (height - kDesignHeight * scale) / 2);
  p.scale(scale, scale);
  // Shadow on the floor.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 45));
  p.drawEllipse(QPointF(70, 205), 30, 5);

  DrawBackPiece(p, look);
  const bool hood = IsHood(look.headwear);
  if (!hood) DrawHairBack(p, look);
  if (look.tail) DrawTail(p, look);
  DrawLegs(p, look);
  // Neck.
  p.setPen(OutlinePen(look.skin, 0.9));
  p.setBrush(Shade(look.skin, 0.93));
  p.drawRect(QRectF(65, 80, 10, 12));
  // Arms before the clothes, so the shoulders cover where they join.
  DrawArm(p, look, -1, frame);
  DrawArm(p, look, 1, frame);
  DrawBottom(p, look);
  DrawTop(p, look);
  if (look.scarf) DrawScarf(p, look);
  if (look.bag) DrawBag(p, look);
  if (hood) DrawHoodBack(p, look);
  DrawHead(p, look);
  DrawFace(p, look, frame);
  if (hood) {
    DrawHoodFront(p, look);
  } else {
    DrawHairFront(p, look);
  }
  DrawEyewear(p, look);
  DrawHeadwear(p, look);
  if (frame.sparklePhase >= 0) {
    p.resetTransform();
    p.scale(width / kDesignWidth, height / kDesignHeight);
    DrawSparkles(p, look, frame.sparklePhase);
  }
  p.end();
  return image;
}

FigureFrame AnimationFrame(const FigureLook& look, int frameIndex) {
  static constexpr double kWave[] = {0, 16, 30, 16, 0, -12};
  FigureFrame frame;
  frame.eyesClosed = frameIndex == 3;
  frame.waveDegrees = look.pose == Pose::Wave ? kWave[frameIndex % 6] : 0;
  frame.sparklePhase = frameIndex % 6;
  return frame;
}

}  // namespace vestora::pictures
