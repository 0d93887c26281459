#include "scenes.h"

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

constexpr double kPi = std::numbers::pi;

struct Canvas {
  QPainter& p;
  Rng& rng;
  double w;
  double h;
  bool alternate;  // the second look of each composition: other light, other colours

  QPointF At(double fx, double fy) const { return {w * fx, h * fy}; }
  QPointF Anywhere(double fx0, double fx1, double fy0, double fy1) {
    const double x = rng.Real(fx0, fx1) * w;
    const double y = rng.Real(fy0, fy1) * h;
    return {x, y};
  }
  void Sky(std::initializer_list<QColor> stops) { FillVertical(p, QRectF(0, 0, w, h), stops); }
};

void Sun(QPainter& p, QPointF c, double r, const QColor& core, const QColor& glow) {
  QRadialGradient halo(c, r * 3);
  halo.setColorAt(0, WithAlpha(glow, 200));
  halo.setColorAt(0.35, WithAlpha(glow, 70));
  halo.setColorAt(1, WithAlpha(glow, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(halo);
  p.drawEllipse(c, r * 3, r * 3);
  QRadialGradient disc(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
  disc.setColorAt(0, Shade(core, 1.2));
  disc.setColorAt(1, core);
  p.setBrush(disc);
  p.drawEllipse(c, r, r);
}

void Moon(QPainter& p, QPointF c, double r, const QColor& color, bool crescent) {
  QRadialGradient halo(c, r * 3.2);
  halo.setColorAt(0, WithAlpha(color, 110));
  halo.setColorAt(1, WithAlpha(color, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(halo);
  p.drawEllipse(c, r * 3.2, r * 3.2);
  QPainterPath disc;
  disc.addEllipse(c, r, r);
  if (crescent) {
    QPainterPath bite;
    bite.addEllipse(c + QPointF(r * 0.55, -r * 0.25), r * 0.9, r * 0.9);
    disc = disc.subtracted(bite);
  }
  p.setBrush(color);
  p.drawPath(disc);
  if (!crescent) {
    p.setBrush(WithAlpha(Shade(color, 0.8), 90));
    p.drawEllipse(c + QPointF(-r * 0.3, -r * 0.2), r * 0.22, r * 0.18);
    p.drawEllipse(c + QPointF(r * 0.25, r * 0.3), r * 0.28, r * 0.2);
    p.drawEllipse(c + QPointF(r * 0.35, -r * 0.35), r * 0.12, r * 0.12);
  }
}

void Stars(Canvas& c, QRectF area, int count, const QColor& color) {
  c.p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const double x = c.rng.Real(area.left(), area.right());
    const double y = c.rng.Real(area.top(), area.bottom());
    const double r = c.rng.Real(0.3, 1.0);
    const int alpha = c.rng.Int(120, 255);
    c.p.setBrush(WithAlpha(color, alpha));
    c.p.drawEllipse(QPointF(x, y), r, r);
    if (r > 0.9 && c.rng.Chance(0.4)) DrawSparkle(c.p, QPointF(x, y), 3.0, color);
  }
}

void Clouds(Canvas& c, QRectF area, int count, const QColor& color, bool outlined) {
  for (int i = 0; i < count; ++i) {
    const double x = c.rng.Real(area.left(), area.right());
    const double y = c.rng.Real(area.top(), area.bottom());
    const double width = c.rng.Real(0.25, 0.5) * c.w;
    const double height = width * c.rng.Real(0.4, 0.55);
    const QPainterPath cloud = CloudPath(QPointF(x, y), width, height);
    c.p.setPen(outlined ? QPen(Shade(color, 0.7), 1.3) : QPen(Qt::NoPen));
    QLinearGradient fill(QPointF(0, y - height / 2), QPointF(0, y + height / 2));
    fill.setColorAt(0, color);
    fill.setColorAt(1, Mix(color, QColor(190, 200, 220, color.alpha()), 0.35));
    c.p.setBrush(fill);
    c.p.drawPath(cloud);
  }
}

// A smooth line of hills: a sum of two waves around `base`.
QPainterPath HillPath(double w, double h, double base, double amp, double phase, double waves) {
  QPainterPath path;
  path.moveTo(0, h);
  for (int i = 0; i <= 48; ++i) {
    const double x = w * i / 48.0;
    const double t = x / w * waves * 2 * kPi;
    const double y =
        base - amp * (0.6 * std::sin(t + phase) + 0.4 * std::sin(t * 2.3 + phase * 1.7));
    path.lineTo(x, y);
  }
  path.lineTo(w, h);
  path.closeSubpath();
  return path;
}

void FillPath(QPainter& p, const QPainterPath& path, const QColor& top, const QColor& bottom) {
  const QRectF box = path.boundingRect();
  QLinearGradient fill(box.topLeft(), box.bottomLeft());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
}

void Grass(Canvas& c, double y0, double y1, const QColor& dark, const QColor& light, int count,
           double length) {
  for (int i = 0; i < count; ++i) {
    const double x = c.rng.Real(-4, c.w + 4);
    const double t = c.rng.Real(0, 1);
    const double y = y0 + (y1 - y0) * t;
    const double len = length * (0.5 + t) * c.rng.Real(0.6, 1.3);
    const double lean = c.rng.Real(-0.5, 0.5) * len;
    const QColor col = Mix(dark, light, c.rng.Real(0, 1));
    QPainterPath blade;
    blade.moveTo(x - 1.2, y);
    blade.quadTo(x, y - len * 0.6, x + lean, y - len);
    blade.quadTo(x + 0.3, y - len * 0.5, x + 1.2, y);
    blade.closeSubpath();
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(col);
    c.p.drawPath(blade);
  }
}

void Water(Canvas& c, QRectF area, const QColor& top, const QColor& bottom, const QColor& glint,
           int glints) {
  FillVertical(c.p, area, top, bottom);
  c.p.setPen(Qt::NoPen);
  for (int i = 0; i < glints; ++i) {
    const double y = c.rng.Real(area.top(), area.bottom());
    const double t = (y - area.top()) / std::max(1.0, area.height());
    const double x = c.rng.Real(area.left(), area.right());
    const double len = c.rng.Real(4, 14) * (0.5 + t);
    const int alpha = c.rng.Int(60, 160);
    c.p.setBrush(WithAlpha(glint, alpha));
    c.p.drawRect(QRectF(x - len / 2, y, len, 0.8 + t));
  }
}

void Mist(QPainter& p, double w, double y, double thickness, const QColor& color) {
  QLinearGradient band(QPointF(0, y - thickness), QPointF(0, y + thickness));
  band.setColorAt(0, WithAlpha(color, 0));
  band.setColorAt(0.5, color);
  band.setColorAt(1, WithAlpha(color, 0));
  p.fillRect(QRectF(0, y - thickness, w, thickness * 2), band);
}

void Butterfly(QPainter& p, QPointF c, double s, const QColor& color, double tilt) {
  p.save();
  p.translate(c);
  p.rotate(tilt);
  p.setPen(QPen(Shade(color, 0.5), 0.6));
  p.setBrush(color);
  p.drawEllipse(QPointF(-s * 0.55, -s * 0.35), s * 0.55, s * 0.45);
  p.drawEllipse(QPointF(s * 0.55, -s * 0.35), s * 0.55, s * 0.45);
  p.setBrush(Shade(color, 1.2));
  p.drawEllipse(QPointF(-s * 0.4, s * 0.3), s * 0.35, s * 0.3);
  p.drawEllipse(QPointF(s * 0.4, s * 0.3), s * 0.35, s * 0.3);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(50, 40, 40));
  p.drawRoundedRect(QRectF(-s * 0.08, -s * 0.6, s * 0.16, s * 1.1), s * 0.08, s * 0.08);
  p.restore();
}

void Bird(QPainter& p, QPointF c, double s, const QColor& color) {
  QPainterPath bird;
  bird.moveTo(c.x() - s, c.y() - s * 0.3);
  bird.quadTo(c.x() - s * 0.5, c.y() - s * 0.6, c.x(), c.y());
  bird.quadTo(c.x() + s * 0.5, c.y() - s * 0.6, c.x() + s, c.y() - s * 0.3);
  p.setPen(QPen(color, std::max(0.8, s * 0.18), Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(bird);
}

// ---- 动漫卡通 ------------------------------------------------------------------------------

void CartoonSun(QPainter& p, QPointF c, double r) {
  p.save();
  p.setPen(QPen(QColor(255, 180, 40), r * 0.18, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r * 1.25,
               c + QPointF(std::cos(a), std::sin(a)) * r * (i % 2 ? 1.55 : 1.75));
  }
  p.setPen(QPen(QColor(240, 150, 30), 1.2));
  p.setBrush(QColor(255, 220, 60));
  p.drawEllipse(c, r, r);
  // A happy face.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 50, 30));
  p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.15), r * 0.1, r * 0.14);
  p.drawEllipse(c + QPointF(r * 0.35, -r * 0.15), r * 0.1, r * 0.14);
  p.setBrush(QColor(255, 130, 120, 150));
  p.drawEllipse(c + QPointF(-r * 0.55, r * 0.2), r * 0.16, r * 0.1);
  p.drawEllipse(c + QPointF(r * 0.55, r * 0.2), r * 0.16, r * 0.1);
  p.setPen(QPen(QColor(90, 50, 30), r * 0.08, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - r * 0.35, c.y() - r * 0.15, r * 0.7, r * 0.55), 200 * 16, 140 * 16);
  p.restore();
}

void Rainbow(QPainter& p, QPointF c, double r, double band) {
  const QColor colors[] = {QColor(240, 70, 70), QColor(250, 160, 50), QColor(250, 230, 70),
                           QColor(90, 200, 90), QColor(70, 150, 240), QColor(150, 100, 220)};
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 6; ++i) {
    p.setPen(QPen(WithAlpha(colors[i], 210), band, Qt::SolidLine, Qt::FlatCap));
    const double rr = r - i * band;
    p.drawArc(QRectF(c.x() - rr, c.y() - rr, rr * 2, rr * 2), 0, 180 * 16);
  }
}

void Mushroom(QPainter& p, QPointF base, double s, const QColor& cap) {
  p.setPen(QPen(QColor(150, 120, 90), 1));
  p.setBrush(QColor(250, 240, 220));
  p.drawRoundedRect(QRectF(base.x() - s * 0.3, base.y() - s * 0.8, s * 0.6, s * 0.8), s * 0.2,
                    s * 0.2);
  p.setBrush(QColor(120, 80, 50));
  p.drawRoundedRect(QRectF(base.x() - s * 0.1, base.y() - s * 0.45, s * 0.2, s * 0.45), 2, 2);
  QPainterPath top;
  top.moveTo(base.x() - s * 0.8, base.y() - s * 0.7);
  top.cubicTo(base.x() - s * 0.8, base.y() - s * 1.6, base.x() + s * 0.8, base.y() - s * 1.6,
              base.x() + s * 0.8, base.y() - s * 0.7);
  top.closeSubpath();
  p.setPen(QPen(Shade(cap, 0.6), 1.2));
  p.setBrush(cap);
  p.drawPath(top);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(QPointF(base.x() - s * 0.35, base.y() - s * 1.05), s * 0.14, s * 0.12);
  p.drawEllipse(QPointF(base.x() + s * 0.2, base.y() - s * 1.2), s * 0.18, s * 0.14);
  p.drawEllipse(QPointF(base.x() + s * 0.5, base.y() - s * 0.9), s * 0.1, s * 0.09);
}

void Balloon(QPainter& p, QPointF c, double r, const QColor& color, QPointF string) {
  p.setPen(QPen(QColor(120, 120, 120), 0.7));
  QPainterPath line;
  line.moveTo(c + QPointF(0, r * 1.2));
  line.quadTo(c + QPointF(r * 0.6, r * 2.5), string);
  p.setBrush(Qt::NoBrush);
  p.drawPath(line);
  QRadialGradient fill(c - QPointF(r * 0.35, r * 0.4), r * 1.4);
  fill.setColorAt(0, Shade(color, 1.4));
  fill.setColorAt(1, color);
  p.setPen(QPen(Shade(color, 0.7), 0.8));
  p.setBrush(fill);
  p.drawEllipse(c, r, r * 1.2);
  p.setBrush(color);
  QPainterPath knot;
  knot.moveTo(c + QPointF(0, r * 1.15));
  knot.lineTo(c + QPointF(-r * 0.15, r * 1.35));
  knot.lineTo(c + QPointF(r * 0.15, r * 1.35));
  knot.closeSubpath();
  p.drawPath(knot);
}

void Fish(QPainter& p, QPointF c, double s, const QColor& color, bool left) {
  p.save();
  p.translate(c);
  if (left) p.scale(-1, 1);
  QPainterPath tail;
  tail.moveTo(-s * 0.8, 0);
  tail.lineTo(-s * 1.4, -s * 0.5);
  tail.lineTo(-s * 1.4, s * 0.5);
  tail.closeSubpath();
  p.setPen(QPen(Shade(color, 0.6), 0.8));
  p.setBrush(Shade(color, 0.9));
  p.drawPath(tail);
  p.setBrush(color);
  p.drawEllipse(QPointF(0, 0), s, s * 0.6);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(QPointF(s * 0.45, -s * 0.12), s * 0.18, s * 0.18);
  p.setBrush(QColor(20, 20, 20));
  p.drawEllipse(QPointF(s * 0.5, -s * 0.12), s * 0.09, s * 0.09);
  p.restore();
}

void CartoonScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const int hue = c.rng.Int(0, 359);
  switch (variant) {
    case 0: {  // Rainbow over candy hills.
      if (c.alternate) {
        c.Sky({Hsv(300, 70, 255), Hsv(40, 60, 255)});
      } else {
        c.Sky({Hsv(200, 90, 255), Hsv(190, 40, 255)});
      }
      Rainbow(p, c.At(0.5, 0.62), c.w * 0.62, c.w * 0.05);
      CartoonSun(p, c.At(0.2, 0.14), c.w * 0.12);
      Clouds(c, QRectF(0, c.h * 0.1, c.w, c.h * 0.25), 3, QColor(255, 255, 255), true);
      FillPath(p, HillPath(c.w, c.h, c.h * 0.7, c.h * 0.05, c.rng.Real(0, 6), 1.2),
               Hsv(hue, 120, 250), Hsv(hue, 170, 220));
      FillPath(p, HillPath(c.w, c.h, c.h * 0.82, c.h * 0.04, c.rng.Real(0, 6), 1.6),
               Hsv(hue + 120, 130, 240), Hsv(hue + 120, 180, 200));
      for (int i = 0; i < 14; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0.86, 0.98);
        DrawFlower(p, at, c.w * 0.025, Hsv(hue + i * 40, 150, 255), QColor(255, 240, 120));
      }
      break;
    }
    case 1: {  // Candy night with a planet.
      if (c.alternate) {
        c.Sky({Hsv(hue % 40 + 200, 200, 70), Hsv(hue % 40 + 170, 140, 170)});
      } else {
        c.Sky({Hsv(hue % 60 + 250, 180, 90), Hsv(hue % 60 + 290, 130, 200)});
      }
      Stars(c, QRectF(0, 0, c.w, c.h * 0.75), 60, QColor(255, 255, 230));
      for (int i = 0; i < 7; ++i) {
        const QPointF at = c.Anywhere(0.05, 0.95, 0.05, 0.7);
        p.setPen(QPen(QColor(200, 140, 20), 1));
        p.setBrush(QColor(255, 225, 80));
        p.drawPath(StarPath(at, c.w * 0.05, c.w * 0.022, 5, c.rng.Real(0, 1)));
      }
      const QPointF planet = c.At(0.65, 0.3);
      p.setPen(Qt::NoPen);
      p.setBrush(Hsv(hue + 180, 120, 240));
      p.drawEllipse(planet, c.w * 0.16, c.w * 0.16);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(Hsv(hue + 60, 120, 255), 3));
      p.drawEllipse(planet, c.w * 0.28, c.w * 0.06);
      Moon(p, c.At(0.22, 0.16), c.w * 0.09, QColor(255, 245, 190), true);
      FillPath(p, HillPath(c.w, c.h, c.h * 0.85, c.h * 0.04, c.rng.Real(0, 6), 1.3),
               Hsv(hue + 200, 110, 160), Hsv(hue + 220, 140, 110));
      break;
    }
    case 2: {  // Mushroom village.
      if (c.alternate) {
        c.Sky({Hsv(20 + hue % 20, 110, 255), Hsv(330, 40, 255)});
      } else {
        c.Sky({Hsv(180 + hue % 40, 70, 255), Hsv(60, 30, 255)});
      }
      CartoonSun(p, c.At(0.78, 0.12), c.w * 0.1);
      Clouds(c, QRectF(0, c.h * 0.08, c.w * 0.6, c.h * 0.18), 2, QColor(255, 255, 255), true);
      FillPath(p, HillPath(c.w, c.h, c.h * 0.62, c.h * 0.05, c.rng.Real(0, 6), 1.0),
               QColor(150, 220, 100), QColor(90, 180, 70));
      Mushroom(p, c.At(0.3, 0.8), c.w * 0.22, Hsv(hue % 30, 200, 230));
      Mushroom(p, c.At(0.72, 0.74), c.w * 0.15, Hsv(hue % 30 + 280, 150, 230));
      Mushroom(p, c.At(0.58, 0.92), c.w * 0.1, Hsv(hue % 30 + 20, 200, 240));
      for (int i = 0; i < 16; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0.66, 0.99);
        DrawFlower(p, at, c.w * 0.022, Hsv(hue + i * 50, 140, 255), QColor(255, 230, 100));
      }
      break;
    }
    case 3: {  // Balloons.
      if (c.alternate) {
        c.Sky({Hsv(280, 90, 230), Hsv(30, 90, 255)});
      } else {
        c.Sky({Hsv(205, 130, 245), Hsv(195, 50, 255)});
      }
      Clouds(c, QRectF(0, c.h * 0.1, c.w, c.h * 0.8), 4, QColor(255, 255, 255, 230), false);
      const QPointF hand = c.At(0.5, 1.05);
      for (int i = 0; i < 7; ++i) {
        const QPointF at = c.Anywhere(0.15, 0.85, 0.12, 0.55);
        Balloon(p, at, c.w * c.rng.Real(0.07, 0.1), Hsv(hue + i * 51, 190, 245), hand);
      }
      FillPath(p, HillPath(c.w, c.h, c.h * 0.93, c.h * 0.02, 1, 1), QColor(120, 210, 90),
               QColor(80, 170, 60));
      break;
    }
    case 4: {  // A castle on a cloud.
      c.Sky({Hsv(hue % 50 + 300, 70, 255), Hsv(hue % 50 + 190, 60, 255)});
      Stars(c, QRectF(0, 0, c.w, c.h * 0.4), 14, QColor(255, 255, 255));
      Clouds(c, QRectF(c.w * 0.2, c.h * 0.72, c.w * 0.6, c.h * 0.14), 4, QColor(255, 255, 255),
             false);
      const QColor wall = Hsv(hue + 300, 60, 250);
      const QColor roof = Hsv(hue + 250, 160, 220);
      auto tower = [&](double x, double top, double width) {
        p.setPen(QPen(Shade(wall, 0.7), 1));
        p.setBrush(wall);
        p.drawRect(QRectF(x - width / 2, top, width, c.h * 0.74 - top));
        QPainterPath cone;
        cone.moveTo(x - width * 0.7, top);
        cone.lineTo(x, top - width * 1.4);
        cone.lineTo(x + width * 0.7, top);
        cone.closeSubpath();
        p.setBrush(roof);
        p.drawPath(cone);
        p.setBrush(QColor(120, 90, 180));
        p.drawRoundedRect(QRectF(x - width * 0.15, top + width * 0.4, width * 0.3, width * 0.45), 3,
                          3);
      };
      tower(c.w * 0.5, c.h * 0.38, c.w * 0.22);
      tower(c.w * 0.25, c.h * 0.5, c.w * 0.15);
      tower(c.w * 0.75, c.h * 0.5, c.w * 0.15);
      p.setBrush(wall);
      p.drawRect(QRectF(c.w * 0.25, c.h * 0.58, c.w * 0.5, c.h * 0.16));
      p.setBrush(QColor(150, 100, 70));
      p.drawRoundedRect(QRectF(c.w * 0.44, c.h * 0.64, c.w * 0.12, c.h * 0.1), 6, 6);
      Clouds(c, QRectF(0, c.h * 0.8, c.w, c.h * 0.15), 4, QColor(255, 250, 255), false);
      break;
    }
    default: {  // Under the sea.
      if (c.alternate) {
        c.Sky({Hsv(165, 140, 220), Hsv(200, 210, 120)});
      } else {
        c.Sky({Hsv(190, 120, 240), Hsv(220, 200, 140)});
      }
      for (int i = 0; i < 5; ++i) {
        const double x = c.rng.Real(0, c.w);
        p.setPen(Qt::NoPen);
        QLinearGradient ray(QPointF(x, 0), QPointF(x + c.w * 0.2, c.h * 0.7));
        ray.setColorAt(0, QColor(255, 255, 255, 70));
        ray.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(ray);
        QPainterPath beam;
        beam.moveTo(x, 0);
        beam.lineTo(x + c.w * 0.08, 0);
        beam.lineTo(x + c.w * 0.3, c.h * 0.7);
        beam.lineTo(x + c.w * 0.15, c.h * 0.7);
        beam.closeSubpath();
        p.drawPath(beam);
      }
      FillPath(p, HillPath(c.w, c.h, c.h * 0.88, c.h * 0.02, 2, 1.5), QColor(240, 220, 160),
               QColor(210, 180, 120));
      for (int i = 0; i < 6; ++i) {
        const double x = c.rng.Real(0, c.w);
        QPainterPath weed;
        weed.moveTo(x, c.h);
        const double top = c.h * c.rng.Real(0.55, 0.75);
        weed.cubicTo(x - 8, c.h * 0.85, x + 8, (c.h + top) / 2, x, top);
        p.setPen(QPen(Hsv(130 + i * 8, 180, 170), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(weed);
      }
      for (int i = 0; i < 5; ++i) {
        const QPointF at = c.Anywhere(0.1, 0.9, 0.2, 0.75);
        Fish(p, at, c.w * c.rng.Real(0.06, 0.1), Hsv(hue + i * 70, 200, 250), i % 2 == 0);
      }
      for (int i = 0; i < 14; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0, 0.9);
        const double r = c.rng.Real(1.5, 4);
        p.setPen(QPen(QColor(255, 255, 255, 180), 0.8));
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawEllipse(at, r, r);
      }
      break;
    }
  }
}

// ---- 青草萋萋 ------------------------------------------------------------------------------

void MeadowScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const bool morning = variant == 2 || c.alternate;
  if (morning) {
    c.Sky({QColor(255, 200, 140), QColor(255, 235, 190), QColor(200, 230, 240)});
    Sun(p, c.At(0.7, 0.38), c.w * 0.08, QColor(255, 240, 200), QColor(255, 210, 120));
  } else {
    const int blue = c.rng.Int(195, 215);
    c.Sky({Hsv(blue, 150, 230), Hsv(blue - 10, 50, 255)});
    Clouds(c, QRectF(0, c.h * 0.06, c.w, c.h * 0.22), 3, QColor(255, 255, 255, 235), false);
  }
  const double horizon = c.h * c.rng.Real(0.38, 0.5);
  const int green = c.alternate ? c.rng.Int(70, 85) : c.rng.Int(85, 115);
  FillPath(p, HillPath(c.w, c.h, horizon, c.h * 0.04, c.rng.Real(0, 6), 0.8),
           Hsv(green + 20, 120, 190), Hsv(green + 10, 160, 160));
  if (variant == 1 || variant == 4) {
    FillPath(p, HillPath(c.w, c.h, horizon + c.h * 0.08, c.h * 0.05, c.rng.Real(0, 6), 1.1),
             Hsv(green, 170, 200), Hsv(green, 200, 150));
    DrawRoundTree(p, QPointF(c.w * c.rng.Real(0.6, 0.8), horizon + c.h * 0.08), c.w * 0.35,
                  Hsv(green + 5, 180, 150), QColor(100, 70, 50), c.rng);
  }
  // The meadow itself, dense with blades from the horizon down.
  FillVertical(p, QRectF(0, horizon + c.h * 0.1, c.w, c.h), Hsv(green, 190, 180),
               Hsv(green - 5, 220, 110));
  p.setPen(Qt::NoPen);
  if (variant == 4) {  // A path winding away.
    QPainterPath path;
    path.moveTo(c.w * 0.48, horizon + c.h * 0.12);
    path.cubicTo(c.w * 0.3, c.h * 0.7, c.w * 0.8, c.h * 0.8, c.w * 0.55, c.h);
    path.lineTo(c.w * 0.95, c.h);
    path.cubicTo(c.w * 1.0, c.h * 0.8, c.w * 0.45, c.h * 0.7, c.w * 0.52, horizon + c.h * 0.12);
    path.closeSubpath();
    FillPath(p, path, QColor(220, 200, 150), QColor(180, 150, 100));
  }
  Grass(c, horizon + c.h * 0.08, c.h * 1.02, Hsv(green, 220, 100), Hsv(green + 20, 170, 230), 700,
        c.h * 0.07);
  if (variant == 2 || variant == 5) {
    for (int i = 0; i < 18; ++i) {
      const QPointF at = c.Anywhere(0, 1, 0.55, 0.95);
      if (variant == 2) {
        p.setPen(QPen(QColor(255, 255, 255, 200), 0.5));
        for (int k = 0; k < 10; ++k) {
          const double a = k * kPi / 5;
          p.drawLine(at, at + QPointF(std::cos(a), std::sin(a)) * 4.0);
        }
      } else {
        const int hue = c.rng.Pick({0, 50, 280, 330, 200});
        DrawFlower(p, at, c.w * 0.02, Hsv(hue, 160, 255), QColor(255, 230, 90));
      }
    }
  }
  if (variant == 3) {
    for (int i = 0; i < 3; ++i) {
      const QPointF at = c.Anywhere(0.1, 0.9, 0.2, 0.6);
      const QColor wings = Hsv(c.rng.Int(0, 359), 170, 250);
      Butterfly(p, at, c.w * 0.06, wings, c.rng.Real(-30, 30));
    }
    for (int i = 0; i < 20; ++i) {
      const QPointF at = c.Anywhere(0, 1, 0.6, 1);
      p.setPen(QPen(QColor(255, 255, 255, 180), 0.6));
      p.setBrush(QColor(220, 240, 255, 140));
      p.drawEllipse(at, 1.4, 1.6);
    }
  }
  // Tall blades in front.
  Grass(c, c.h * 0.92, c.h * 1.04, Hsv(green - 5, 230, 90), Hsv(green + 15, 200, 200), 90,
        c.h * 0.2);
}

// ---- 夜色朦胧 ------------------------------------------------------------------------------

void Skyline(Canvas& c, double base, const QColor& color, const QColor& windows) {
  double x = -2;
  while (x < c.w) {
    const double bw = c.rng.Real(0.08, 0.18) * c.w;
    const double bh = c.rng.Real(0.08, 0.3) * c.h;
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(color);
    c.p.drawRect(QRectF(x, base - bh, bw, bh + 1));
    if (c.rng.Chance(0.3)) c.p.drawRect(QRectF(x + bw * 0.4, base - bh - 8, 1.5, 8));
    for (double wy = base - bh + 4; wy < base - 3; wy += 5) {
      for (double wx = x + 2; wx < x + bw - 3; wx += 4) {
        if (c.rng.Chance(0.35)) {
          c.p.setBrush(WithAlpha(windows, c.rng.Int(140, 255)));
          c.p.drawRect(QRectF(wx, wy, 2, 2.5));
        }
      }
    }
    x += bw + c.rng.Real(0, 3);
  }
}

void NightScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const int hue = c.alternate ? c.rng.Int(255, 275) : c.rng.Int(215, 245);
  c.Sky({Hsv(hue, 200, 40), Hsv(hue, 170, 100), Hsv(hue - 15, 120, 150)});
  const QColor moonColor(255, 248, 215);
  Stars(c, QRectF(0, 0, c.w, c.h * 0.6), variant == 4 ? 160 : 70, QColor(255, 255, 240));
  switch (variant) {
    case 0:
      Moon(p, c.At(0.7, 0.2), c.w * 0.12, moonColor, false);
      Mist(p, c.w, c.h * 0.6, c.h * 0.08, QColor(150, 160, 210, 90));
      Skyline(c, c.h, Hsv(hue, 120, 45), QColor(255, 220, 130));
      Mist(p, c.w, c.h * 0.9, c.h * 0.08, QColor(150, 160, 210, 80));
      break;
    case 1: {
      Moon(p, c.At(0.35, 0.22), c.w * 0.1, moonColor, false);
      FillPath(p, HillPath(c.w, c.h, c.h * 0.58, c.h * 0.05, c.rng.Real(0, 6), 1.2),
               Hsv(hue, 100, 70), Hsv(hue, 120, 50));
      Water(c, QRectF(0, c.h * 0.6, c.w, c.h * 0.4), Hsv(hue, 150, 90), Hsv(hue, 200, 40),
            QColor(255, 240, 190), 0);
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 24; ++i) {  // the moon's path on the water
        const double y = c.h * (0.62 + i * 0.015);
        const double half = c.w * (0.03 + i * 0.004) * c.rng.Real(0.5, 1.2);
        p.setBrush(WithAlpha(moonColor, 200 - i * 6));
        p.drawRect(QRectF(c.w * 0.35 - half, y, half * 2, 1.2));
      }
      Mist(p, c.w, c.h * 0.6, c.h * 0.05, QColor(170, 180, 220, 100));
      break;
    }
    case 2: {
      Moon(p, c.At(0.62, 0.2), c.w * 0.11, moonColor, true);
      Clouds(c, QRectF(0, c.h * 0.25, c.w, c.h * 0.25), 3, Hsv(hue, 60, 120, 150), false);
      FillPath(p, HillPath(c.w, c.h, c.h * 0.8, c.h * 0.03, 1, 1), Hsv(hue, 150, 30),
               Hsv(hue, 150, 20));
      for (int i = 0; i < 4; ++i) {
        DrawPine(p, QPointF(c.w * (0.05 + i * 0.3), c.h * 0.82), c.w * 0.22,
                 c.h * c.rng.Real(0.25, 0.4), Hsv(hue, 150, 28));
      }
      break;
    }
    case 3: {  // A street lamp in the fog.
      Mist(p, c.w, c.h * 0.5, c.h * 0.25, QColor(140, 150, 190, 110));
      Skyline(c, c.h * 0.85, Hsv(hue, 60, 80), QColor(230, 210, 160));
      Mist(p, c.w, c.h * 0.78, c.h * 0.12, QColor(160, 170, 200, 140));
      FillVertical(p, QRectF(0, c.h * 0.85, c.w, c.h * 0.15), Hsv(hue, 60, 70), Hsv(hue, 80, 40));
      const QPointF lamp = c.At(0.3, 0.35);
      QRadialGradient glow(lamp, c.w * 0.45);
      glow.setColorAt(0, QColor(255, 230, 160, 200));
      glow.setColorAt(1, QColor(255, 230, 160, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(glow);
      p.drawEllipse(lamp, c.w * 0.45, c.w * 0.45);
      p.setBrush(QColor(30, 30, 40));
      p.drawRect(QRectF(lamp.x() - 1.5, lamp.y(), 3, c.h * 0.62));
      p.drawRect(QRectF(lamp.x() - 5, lamp.y() - 2, 10, 3));
      p.setBrush(QColor(255, 240, 200));
      p.drawEllipse(lamp + QPointF(0, 4), 4, 4);
      break;
    }
    case 4: {  // Milky way over a lone house.
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 220; ++i) {
        const double t = c.rng.Real(0, 1);
        const double spread = c.rng.Real(-1, 1);
        const double off = spread * c.rng.Real(0, 1) * c.w * 0.2;
        const QPointF at(c.w * t + off * 0.5, c.h * (0.05 + 0.5 * t) + off);
        const int alpha = c.rng.Int(40, 200);
        p.setBrush(QColor(230, 220, 255, alpha));
        p.drawEllipse(at, 0.6, 0.6);
      }
      FillPath(p, HillPath(c.w, c.h, c.h * 0.78, c.h * 0.06, c.rng.Real(0, 6), 0.7),
               Hsv(hue, 120, 40), Hsv(hue, 120, 25));
      const QPointF house = c.At(0.62, 0.76);
      p.setBrush(QColor(20, 20, 30));
      p.drawRect(QRectF(house.x() - 12, house.y() - 14, 24, 14));
      QPainterPath roof;
      roof.moveTo(house.x() - 15, house.y() - 13);
      roof.lineTo(house.x(), house.y() - 26);
      roof.lineTo(house.x() + 15, house.y() - 13);
      roof.closeSubpath();
      p.drawPath(roof);
      p.setBrush(QColor(255, 210, 110));
      p.drawRect(QRectF(house.x() - 7, house.y() - 10, 5, 5));
      p.drawRect(QRectF(house.x() + 3, house.y() - 10, 5, 5));
      break;
    }
    default: {  // Fireflies in the woods.
      Moon(p, c.At(0.25, 0.15), c.w * 0.07, moonColor, true);
      Mist(p, c.w, c.h * 0.55, c.h * 0.1, QColor(120, 150, 170, 90));
      for (int i = 0; i < 6; ++i) {
        DrawPine(p, QPointF(c.w * (i * 0.2 - 0.05), c.h * 0.8), c.w * 0.3,
                 c.h * c.rng.Real(0.35, 0.55), Hsv(hue - 40, 120, 30 + i * 3));
      }
      FillVertical(p, QRectF(0, c.h * 0.78, c.w, c.h * 0.22), Hsv(hue - 60, 120, 40),
                   Hsv(hue - 60, 120, 20));
      for (int i = 0; i < 26; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0.4, 0.98);
        DrawSparkle(p, at, c.rng.Real(1.5, 3.2), QColor(220, 255, 120));
      }
      break;
    }
  }
}

// ---- 恬静优雅 ------------------------------------------------------------------------------

void Vase(QPainter& p, QPointF base, double s, const QColor& color, Rng& rng, int flowerHue) {
  // Stems and blooms first, then the vase over their feet.
  for (int i = 0; i < 5; ++i) {
    const double a = -kPi / 2 + (i - 2) * 0.35;
    const QPointF tip = base + QPointF(std::cos(a) * s * 1.3, -s * 0.9 + std::sin(a) * s * 0.9);
    p.setPen(QPen(QColor(90, 140, 80), 1.2));
    p.drawLine(base - QPointF(0, s * 0.8), tip);
    const int hue = flowerHue + rng.Int(-20, 20);
    DrawFlower(p, tip, s * 0.28, Hsv(hue, 90, 255), QColor(255, 230, 140), 6);
  }
  QPainterPath body;
  body.moveTo(base.x() - s * 0.18, base.y() - s * 0.9);
  body.cubicTo(base.x() - s * 0.6, base.y() - s * 0.5, base.x() - s * 0.45, base.y(),
               base.x() - s * 0.25, base.y());
  body.lineTo(base.x() + s * 0.25, base.y());
  body.cubicTo(base.x() + s * 0.45, base.y(), base.x() + s * 0.6, base.y() - s * 0.5,
               base.x() + s * 0.18, base.y() - s * 0.9);
  body.closeSubpath();
  QLinearGradient fill(base - QPointF(s * 0.5, 0), base + QPointF(s * 0.5, 0));
  fill.setColorAt(0, Shade(color, 1.2));
  fill.setColorAt(0.4, color);
  fill.setColorAt(1, Shade(color, 0.75));
  p.setPen(QPen(Shade(color, 0.7), 0.8));
  p.setBrush(fill);
  p.drawPath(body);
}

void Swan(QPainter& p, QPointF c, double s) {
  QPainterPath body;
  body.moveTo(c.x() - s, c.y());
  body.cubicTo(c.x() - s * 0.8, c.y() + s * 0.5, c.x() + s * 0.6, c.y() + s * 0.5, c.x() + s * 0.8,
               c.y() - s * 0.05);
  body.cubicTo(c.x() + s * 0.3, c.y() - s * 0.4, c.x() - s * 0.4, c.y() - s * 0.4, c.x() - s,
               c.y());
  p.setPen(QPen(QColor(200, 200, 210), 0.8));
  p.setBrush(QColor(252, 252, 252));
  p.drawPath(body);
  QPainterPath neck;
  neck.moveTo(c.x() + s * 0.55, c.y() - s * 0.1);
  neck.cubicTo(c.x() + s * 0.9, c.y() - s * 0.7, c.x() + s * 0.3, c.y() - s * 1.1, c.x() + s * 0.55,
               c.y() - s * 1.25);
  p.setPen(QPen(QColor(250, 250, 250), s * 0.16, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(neck);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(240, 140, 50));
  QPainterPath beak;
  beak.moveTo(c.x() + s * 0.6, c.y() - s * 1.3);
  beak.lineTo(c.x() + s * 0.85, c.y() - s * 1.2);
  beak.lineTo(c.x() + s * 0.6, c.y() - s * 1.18);
  beak.closeSubpath();
  p.drawPath(beak);
}

void EleganceScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const int hue = c.rng.Pick({30, 340, 200, 150, 270, 45});
  const QColor wall = Hsv(hue, c.rng.Int(25, 50), 245);
  switch (variant) {
    case 0:
    case 2: {  // A room with a window, curtains and a vase on a table.
      FillVertical(p, QRectF(0, 0, c.w, c.h), wall, Shade(wall, 0.9));
      p.setPen(Qt::NoPen);
      p.setBrush(WithAlpha(Shade(wall, 0.85), 120));
      for (double x = 4; x < c.w; x += 14) p.drawRect(QRectF(x, 0, 3, c.h * 0.7));
      const QRectF window(c.w * 0.2, c.h * 0.1, c.w * 0.6, c.h * 0.42);
      FillVertical(p, window, QColor(170, 210, 240), QColor(230, 240, 250));
      p.save();
      p.setClipRect(window);
      Clouds(c, window.adjusted(0, 10, 0, -40), 2, QColor(255, 255, 255, 220), false);
      FillPath(p, HillPath(c.w, window.bottom(), window.bottom() - 12, 4, 1, 1.5),
               QColor(150, 200, 140), QColor(120, 170, 110));
      p.restore();
      p.setPen(QPen(QColor(255, 255, 255), 3));
      p.setBrush(Qt::NoBrush);
      p.drawRect(window);
      p.drawLine(QPointF(window.center().x(), window.top()),
                 QPointF(window.center().x(), window.bottom()));
      p.drawLine(QPointF(window.left(), window.center().y()),
                 QPointF(window.right(), window.center().y()));
      const QColor curtain = Hsv(hue + 180, 60, 230);
      for (int side : {-1, 1}) {
        QPainterPath drape;
        const double edge = side < 0 ? window.left() - 8 : window.right() + 8;
        const double inner = side < 0 ? window.left() + 10 : window.right() - 10;
        drape.moveTo(edge, c.h * 0.06);
        drape.lineTo(inner, c.h * 0.06);
        drape.cubicTo(inner, c.h * 0.3, edge + side * -2, c.h * 0.4, edge, c.h * 0.62);
        drape.closeSubpath();
        FillPath(p, drape, curtain, Shade(curtain, 0.85));
      }
      FillVertical(p, QRectF(0, c.h * 0.7, c.w, c.h * 0.3), Hsv(30, 80, 190), Hsv(25, 100, 150));
      if (variant == 0) {
        p.setBrush(QColor(250, 250, 250));
        p.setPen(QPen(QColor(210, 210, 210), 0.8));
        p.drawEllipse(QPointF(c.w * 0.5, c.h * 0.74), c.w * 0.4, c.h * 0.04);
        Vase(p, c.At(0.5, 0.74), c.w * 0.28, Hsv(hue + 180, 90, 220), c.rng, hue + 320);
      } else {
        // Tea for one: a cup and saucer beside a small vase.
        p.setPen(QPen(QColor(200, 200, 210), 0.8));
        p.setBrush(QColor(252, 252, 255));
        p.drawEllipse(QPointF(c.w * 0.35, c.h * 0.8), c.w * 0.14, c.h * 0.018);
        QPainterPath cup;
        cup.moveTo(c.w * 0.26, c.h * 0.74);
        cup.lineTo(c.w * 0.44, c.h * 0.74);
        cup.cubicTo(c.w * 0.43, c.h * 0.8, c.w * 0.27, c.h * 0.8, c.w * 0.26, c.h * 0.74);
        p.drawPath(cup);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(c.w * 0.46, c.h * 0.76), c.w * 0.03, c.h * 0.015);
        p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
        p.drawLine(QPointF(c.w * 0.33, c.h * 0.72), QPointF(c.w * 0.35, c.h * 0.66));
        Vase(p, c.At(0.72, 0.8), c.w * 0.2, Hsv(hue, 60, 230), c.rng, hue + 20);
      }
      break;
    }
    case 1: {  // A garden arch with roses.
      c.Sky({QColor(200, 225, 245), QColor(245, 245, 235)});
      FillPath(p, HillPath(c.w, c.h, c.h * 0.62, c.h * 0.02, 1, 1), QColor(170, 210, 150),
               QColor(130, 180, 110));
      QPainterPath path;
      path.moveTo(c.w * 0.45, c.h * 0.62);
      path.lineTo(c.w * 0.55, c.h * 0.62);
      path.lineTo(c.w * 0.9, c.h);
      path.lineTo(c.w * 0.1, c.h);
      path.closeSubpath();
      FillPath(p, path, QColor(235, 225, 205), QColor(210, 195, 170));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(250, 250, 250), c.w * 0.04));
      p.drawArc(QRectF(c.w * 0.18, c.h * 0.15, c.w * 0.64, c.w * 0.64), 0, 180 * 16);
      p.drawLine(QPointF(c.w * 0.18, c.h * 0.15 + c.w * 0.32), QPointF(c.w * 0.18, c.h * 0.9));
      p.drawLine(QPointF(c.w * 0.82, c.h * 0.15 + c.w * 0.32), QPointF(c.w * 0.82, c.h * 0.9));
      for (int i = 0; i < 40; ++i) {
        const double t = c.rng.Real(0, 1);
        QPointF at;
        if (t < 0.5) {
          const double a = kPi * t * 2;
          at = QPointF(c.w * 0.5 - std::cos(a) * c.w * 0.32,
                       c.h * 0.15 + c.w * 0.32 - std::sin(a) * c.w * 0.32);
        } else {
          const bool left = t < 0.75;
          at = QPointF(left ? c.w * 0.18 : c.w * 0.82,
                       c.h * 0.15 + c.w * 0.32 + (t - (left ? 0.5 : 0.75)) * 4 * c.h * 0.55);
        }
        at += QPointF{c.rng.Real(-4, 4), c.rng.Real(-4, 4)};
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 160, 90));
        p.drawEllipse(at, 3.5, 2.5);
        if (i % 2 == 0) DrawFlower(p, at, 3.2, Hsv(hue + 320, 80, 255), QColor(255, 220, 150), 6);
      }
      break;
    }
    case 3: {  // A quiet lake with a swan.
      c.Sky({QColor(235, 230, 245), Hsv(hue, 30, 250)});
      FillPath(p, HillPath(c.w, c.h, c.h * 0.5, c.h * 0.03, c.rng.Real(0, 6), 0.8),
               QColor(180, 200, 190), QColor(160, 185, 175));
      Water(c, QRectF(0, c.h * 0.55, c.w, c.h * 0.45), QColor(200, 215, 230), QColor(160, 180, 205),
            QColor(255, 255, 255), 40);
      Swan(p, c.At(0.5, 0.75), c.w * 0.22);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
      p.drawEllipse(c.At(0.5, 0.8), c.w * 0.3, c.h * 0.02);
      break;
    }
    case 4: {  // A white bench under a willow.
      c.Sky({Hsv(hue + 180, 40, 250), QColor(250, 245, 240)});
      FillVertical(p, QRectF(0, c.h * 0.65, c.w, c.h * 0.35), QColor(190, 220, 170),
                   QColor(150, 190, 130));
      p.setPen(QPen(QColor(120, 100, 80), c.w * 0.05));
      p.drawLine(c.At(0.15, 0.7), c.At(0.12, 0.05));
      for (int i = 0; i < 24; ++i) {
        const double x = c.rng.Real(-0.1, 0.6) * c.w;
        QPainterPath strand;
        strand.moveTo(c.w * 0.13, c.h * 0.05);
        const QPointF end{x + c.rng.Real(-4, 4), c.h * c.rng.Real(0.35, 0.6)};
        strand.quadTo(QPointF(x, c.h * 0.05), end);
        p.setPen(QPen(Hsv(95, 130, c.rng.Int(150, 210)), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(strand);
      }
      p.setPen(QPen(QColor(250, 250, 250), 2.5));
      const double y = c.h * 0.75;
      p.drawLine(QPointF(c.w * 0.35, y), QPointF(c.w * 0.9, y));
      p.drawLine(QPointF(c.w * 0.35, y - 12), QPointF(c.w * 0.9, y - 12));
      p.drawLine(QPointF(c.w * 0.35, y - 20), QPointF(c.w * 0.9, y - 20));
      for (double x : {0.38, 0.87}) {
        p.drawLine(QPointF(c.w * x, y - 20), QPointF(c.w * x, y + 14));
      }
      for (int i = 0; i < 16; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0.8, 0.98);
        DrawFlower(p, at, 2.5, Hsv(hue + 300, 70, 255), QColor(255, 240, 150));
      }
      break;
    }
    default: {  // Still life in soft light.
      FillVertical(p, QRectF(0, 0, c.w, c.h), Shade(wall, 1.02), Shade(wall, 0.85));
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 12; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0, 0.6);
        const double r = c.rng.Real(5, 14);
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawEllipse(at, r, r);
      }
      FillVertical(p, QRectF(0, c.h * 0.72, c.w, c.h * 0.28), QColor(250, 250, 250),
                   QColor(225, 225, 230));
      Vase(p, c.At(0.4, 0.8), c.w * 0.3, Hsv(hue + 180, 50, 200), c.rng, hue);
      p.setPen(QPen(QColor(200, 190, 170), 0.8));
      p.setBrush(QColor(255, 250, 240));
      p.drawRoundedRect(QRectF(c.w * 0.66, c.h * 0.7, c.w * 0.1, c.h * 0.12), 2, 2);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 210, 120));
      p.drawEllipse(QPointF(c.w * 0.71, c.h * 0.67), 2, 4);
      break;
    }
  }
}

// ---- 憧憬爱情 ------------------------------------------------------------------------------

void Rose(QPainter& p, QPointF c, double r, const QColor& color) {
  p.setPen(QPen(Shade(color, 0.6), 0.8));
  p.setBrush(color);
  p.drawEllipse(c, r, r * 0.9);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 3; ++i) {
    const double rr = r * (0.75 - i * 0.22);
    p.drawArc(QRectF(c.x() - rr, c.y() - rr * 0.9, rr * 2, rr * 1.8), (30 + i * 70) * 16, 220 * 16);
  }
}

void LoveScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const int hue = c.alternate ? c.rng.Int(295, 315) : c.rng.Int(330, 355);
  c.Sky({Hsv(hue, 60, 255), Hsv(hue + 10, 120, 245)});
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 24; ++i) {  // soft bokeh
    const QPointF at = c.Anywhere(0, 1, 0, 1);
    const double r = c.rng.Real(4, 16);
    QRadialGradient spot(at, r);
    spot.setColorAt(0, QColor(255, 255, 255, 90));
    spot.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(spot);
    p.drawEllipse(at, r, r);
  }
  switch (variant) {
    case 0: {  // One big heart among small ones.
      for (int i = 0; i < 20; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0, 1);
        const int tint = hue + c.rng.Int(-10, 10);
        const int saturation = c.rng.Int(80, 200);
        p.setBrush(Hsv(tint, saturation, 255, c.rng.Int(90, 200)));
        p.drawPath(HeartPath(at, c.rng.Real(3, 8)));
      }
      QRadialGradient fill(c.At(0.42, 0.4), c.w * 0.5);
      fill.setColorAt(0, QColor(255, 120, 150));
      fill.setColorAt(1, QColor(220, 30, 70));
      p.setBrush(fill);
      p.setPen(QPen(QColor(255, 255, 255), 2));
      p.drawPath(HeartPath(c.At(0.5, 0.48), c.w * 0.36));
      break;
    }
    case 1: {  // Heart balloons over a bench.
      const QPointF tie = c.At(0.5, 0.78);
      for (int i = 0; i < 5; ++i) {
        const QPointF at = c.Anywhere(0.15, 0.85, 0.1, 0.45);
        p.setPen(QPen(QColor(255, 255, 255), 0.8));
        p.drawLine(at + QPointF(0, c.w * 0.08), tie);
        QRadialGradient fill(at - QPointF(4, 4), c.w * 0.15);
        fill.setColorAt(0, Hsv(hue + i * 6, 90, 255));
        fill.setColorAt(1, Hsv(hue + i * 6, 220, 230));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(HeartPath(at, c.w * 0.1));
      }
      p.setPen(QPen(QColor(150, 90, 70), 3));
      const double y = c.h * 0.82;
      p.drawLine(QPointF(c.w * 0.15, y), QPointF(c.w * 0.85, y));
      p.drawLine(QPointF(c.w * 0.15, y - 10), QPointF(c.w * 0.85, y - 10));
      p.drawLine(QPointF(c.w * 0.2, y - 10), QPointF(c.w * 0.2, y + 16));
      p.drawLine(QPointF(c.w * 0.8, y - 10), QPointF(c.w * 0.8, y + 16));
      FillVertical(p, QRectF(0, c.h * 0.9, c.w, c.h * 0.1), Hsv(hue, 40, 240), Hsv(hue, 70, 220));
      break;
    }
    case 2: {  // A bouquet of roses.
      for (int i = 0; i < 9; ++i) {
        const QPointF at = c.Anywhere(0.25, 0.75, 0.25, 0.55);
        p.setPen(QPen(QColor(70, 130, 70), 1.5));
        p.drawLine(at, c.At(0.5, 0.85));
      }
      for (int i = 0; i < 9; ++i) {
        const QPointF at = c.Anywhere(0.22, 0.78, 0.22, 0.55);
        const double r = c.w * c.rng.Real(0.07, 0.1);
        Rose(p, at, r, Hsv(hue + c.rng.Int(-15, 15), 200, 230));
      }
      QPainterPath wrap;
      wrap.moveTo(c.w * 0.3, c.h * 0.58);
      wrap.lineTo(c.w * 0.7, c.h * 0.58);
      wrap.lineTo(c.w * 0.55, c.h * 0.9);
      wrap.lineTo(c.w * 0.45, c.h * 0.9);
      wrap.closeSubpath();
      FillPath(p, wrap, QColor(255, 245, 250), QColor(240, 215, 225));
      p.setBrush(Hsv(hue, 200, 230));
      p.drawPath(HeartPath(c.At(0.5, 0.72), c.w * 0.06));
      break;
    }
    case 3: {  // A heart-shaped cloud at dusk, two birds.
      c.Sky({Hsv(hue - 30, 90, 230), Hsv(hue, 90, 255), Hsv(20, 120, 255)});
      Sun(p, c.At(0.5, 0.72), c.w * 0.12, QColor(255, 230, 200), QColor(255, 170, 150));
      p.setBrush(QColor(255, 245, 250, 230));
      p.drawPath(HeartPath(c.At(0.5, 0.3), c.w * 0.22));
      Clouds(c, QRectF(0, c.h * 0.5, c.w, c.h * 0.2), 2, QColor(255, 230, 240, 200), false);
      Bird(p, c.At(0.3, 0.55), 6, QColor(120, 60, 80));
      Bird(p, c.At(0.4, 0.52), 5, QColor(120, 60, 80));
      FillVertical(p, QRectF(0, c.h * 0.82, c.w, c.h * 0.18), Hsv(hue, 120, 180),
                   Hsv(hue, 140, 140));
      break;
    }
    case 4: {  // A heart made of hearts.
      for (int i = 0; i < 70; ++i) {
        const double t = i * 2 * kPi / 70;
        const double x = 16 * std::pow(std::sin(t), 3);
        const double y =
            13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        const QPointF at = c.At(0.5, 0.45) + QPointF(x, -y) * (c.w * 0.022);
        const int tint = hue + c.rng.Int(-15, 15);
        p.setBrush(Hsv(tint, c.rng.Int(120, 230), 255, 220));
        p.drawPath(HeartPath(at, c.rng.Real(3, 6)));
      }
      for (int i = 0; i < 10; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0.8, 1);
        DrawSparkle(p, at, 3, QColor(255, 255, 255));
      }
      break;
    }
    default: {  // A sealed letter.
      for (int i = 0; i < 14; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0, 1);
        p.setBrush(Hsv(hue, c.rng.Int(60, 160), 255, 150));
        p.drawPath(HeartPath(at, c.rng.Real(3, 7)));
      }
      p.save();
      p.translate(c.At(0.5, 0.55));
      p.rotate(-8);
      const QRectF letter(-c.w * 0.35, -c.h * 0.13, c.w * 0.7, c.h * 0.26);
      p.setPen(QPen(QColor(220, 190, 200), 1));
      p.setBrush(QColor(255, 250, 245));
      p.drawRect(letter);
      QPainterPath flap;
      flap.moveTo(letter.topLeft());
      flap.lineTo(0, 4);
      flap.lineTo(letter.topRight());
      p.setBrush(Qt::NoBrush);
      p.drawPath(flap);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(210, 30, 60));
      p.drawPath(HeartPath(QPointF(0, 5), c.w * 0.07));
      p.restore();
      break;
    }
  }
}

// ---- 春意盎然 ------------------------------------------------------------------------------

void Branch(Canvas& c, QPointF from, QPointF to, int blooms, const QColor& petals) {
  QPainter& p = c.p;
  QPainterPath branch;
  branch.moveTo(from);
  const QPointF mid = (from + to) / 2 + QPointF(0, c.h * 0.05);
  branch.quadTo(mid, to);
  p.setPen(QPen(QColor(90, 60, 50), 3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(branch);
  for (int i = 0; i < blooms; ++i) {
    const double t = c.rng.Real(0.1, 1.0);
    const QPointF at = branch.pointAtPercent(t) + QPointF{c.rng.Real(-6, 6), c.rng.Real(-6, 6)};
    const double r = c.w * c.rng.Real(0.035, 0.05);
    DrawFlower(p, at, r, Shade(petals, c.rng.Real(0.95, 1.1)), QColor(240, 120, 140));
  }
}

void SpringScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const int blossomHue = c.rng.Int(335, 355);
  const QColor blossom = Hsv(blossomHue, c.rng.Int(50, 90), 255);
  if (c.alternate) {
    c.Sky({Hsv(45, 60, 255), Hsv(90, 40, 250)});
  } else {
    const int blue = c.rng.Int(60, 110);
    c.Sky({Hsv(200, blue, 250), QColor(240, 250, 240)});
  }
  switch (variant) {
    case 0: {  // A blossoming branch and falling petals.
      FillPath(p, HillPath(c.w, c.h, c.h * 0.75, c.h * 0.04, c.rng.Real(0, 6), 1.2),
               QColor(170, 225, 120), QColor(110, 190, 80));
      Branch(c, c.At(-0.05, 0.12), c.At(0.95, 0.45), 24, blossom);
      Branch(c, c.At(1.05, 0.02), c.At(0.3, 0.2), 16, blossom);
      for (int i = 0; i < 10; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0.78, 1);
        DrawFlower(p, at, c.w * 0.025, Hsv(50, 170, 255), QColor(255, 150, 40));
      }
      break;
    }
    case 1: {  // A cherry tree on a green hill.
      FillPath(p, HillPath(c.w, c.h, c.h * 0.7, c.h * 0.06, c.rng.Real(0, 6), 0.9),
               QColor(160, 220, 110), QColor(100, 180, 70));
      DrawRoundTree(p, c.At(0.5, 0.72), c.w * 0.55, blossom, QColor(110, 70, 60), c.rng);
      break;
    }
    case 2: {  // Tulips.
      FillVertical(p, QRectF(0, c.h * 0.6, c.w, c.h * 0.4), QColor(150, 210, 100),
                   QColor(90, 160, 60));
      for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < 7; ++i) {
          const double x = c.w * (i + (row % 2) * 0.5) / 6.5;
          const double y = c.h * (0.68 + row * 0.12);
          const double s = c.w * (0.04 + row * 0.015);
          p.setPen(QPen(QColor(70, 140, 60), 1.3));
          p.drawLine(QPointF(x, y), QPointF(x, y + s * 2.5));
          const int hue = c.rng.Pick({0, 330, 45, 290, 15});
          QPainterPath tulip;
          tulip.moveTo(x - s * 0.6, y - s);
          tulip.lineTo(x - s * 0.3, y - s * 0.6);
          tulip.lineTo(x, y - s * 1.1);
          tulip.lineTo(x + s * 0.3, y - s * 0.6);
          tulip.lineTo(x + s * 0.6, y - s);
          tulip.cubicTo(x + s * 0.7, y, x - s * 0.7, y, x - s * 0.6, y - s);
          p.setPen(QPen(Hsv(hue, 200, 170), 0.7));
          p.setBrush(Hsv(hue, 170, 250));
          p.drawPath(tulip);
        }
      }
      break;
    }
    case 3: {  // Butterflies over flowers.
      FillVertical(p, QRectF(0, c.h * 0.55, c.w, c.h * 0.45), QColor(170, 225, 120),
                   QColor(110, 180, 70));
      for (int i = 0; i < 40; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0.58, 1);
        const int hue = c.rng.Pick({50, 0, 320, 280, 30});
        DrawFlower(p, at, c.w * 0.025, Hsv(hue, 140, 255), QColor(255, 230, 100));
      }
      for (int i = 0; i < 4; ++i) {
        const QPointF at = c.Anywhere(0.1, 0.9, 0.15, 0.5);
        const QColor wings = Hsv(c.rng.Int(0, 359), 160, 250);
        Butterfly(p, at, c.w * 0.07, wings, c.rng.Real(-30, 30));
      }
      break;
    }
    case 4: {  // A willow by the river.
      FillVertical(p, QRectF(0, c.h * 0.55, c.w, c.h * 0.15), QColor(160, 220, 120),
                   QColor(130, 200, 100));
      Water(c, QRectF(0, c.h * 0.7, c.w, c.h * 0.3), QColor(160, 210, 220), QColor(110, 170, 190),
            QColor(255, 255, 255), 40);
      p.setPen(QPen(QColor(100, 80, 60), c.w * 0.05));
      p.drawLine(c.At(0.8, 0.7), c.At(0.78, 0.08));
      for (int i = 0; i < 30; ++i) {
        const double x = c.rng.Real(0.3, 1.1) * c.w;
        QPainterPath strand;
        strand.moveTo(c.w * 0.78, c.h * 0.08);
        const QPointF end{x + c.rng.Real(-4, 4), c.h * c.rng.Real(0.35, 0.65)};
        strand.quadTo(QPointF(x, 0), end);
        p.setPen(QPen(Hsv(85, 150, c.rng.Int(170, 230)), 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(strand);
      }
      break;
    }
    default: {  // Swallows over fresh fields.
      FillPath(p, HillPath(c.w, c.h, c.h * 0.6, c.h * 0.04, c.rng.Real(0, 6), 0.8),
               QColor(190, 235, 140), QColor(150, 210, 100));
      FillPath(p, HillPath(c.w, c.h, c.h * 0.75, c.h * 0.05, c.rng.Real(0, 6), 1.1),
               QColor(130, 200, 90), QColor(80, 160, 60));
      Grass(c, c.h * 0.8, c.h * 1.02, QColor(70, 150, 50), QColor(170, 230, 110), 150, c.h * 0.05);
      for (int i = 0; i < 4; ++i) {
        const QPointF at = c.Anywhere(0.1, 0.9, 0.1, 0.45);
        Bird(p, at, c.w * 0.05, QColor(40, 40, 60));
      }
      break;
    }
  }
  // Drifting petals.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 22; ++i) {
    const QPointF at = c.Anywhere(0, 1, 0, 1);
    p.save();
    p.translate(at);
    p.rotate(c.rng.Real(0, 180));
    p.setBrush(WithAlpha(blossom, 220));
    p.drawEllipse(QPointF(0, 0), 2.2, 1.3);
    p.restore();
  }
}

// ---- 高山流水 ------------------------------------------------------------------------------

QPainterPath PeakPath(Canvas& c, double base, double height, double roughness) {
  return RidgePath(c.rng, -2, c.w + 2, base, base - height, c.h + 2, 28, roughness);
}

void MountainScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const bool ink = variant == 0 || variant == 3;
  const int hue = ink ? c.rng.Int(190, 215) : c.rng.Int(100, 150);
  if ((variant == 4) != c.alternate) {
    c.Sky({QColor(250, 190, 150), QColor(255, 230, 200), QColor(200, 220, 235)});
    Sun(p, c.At(0.5, 0.32), c.w * 0.08, QColor(255, 240, 210), QColor(255, 200, 140));
  } else {
    c.Sky({Hsv(205, ink ? 30 : 90, 245), QColor(245, 248, 250)});
  }
  // Layers of peaks, far to near, each darker.
  const int layers = 4;
  for (int i = 0; i < layers; ++i) {
    const double base = c.h * (0.3 + i * 0.12);
    const QColor far =
        ink ? Hsv(hue, 25 + i * 20, 215 - i * 35) : Hsv(hue, 60 + i * 35, 210 - i * 30);
    FillPath(p, PeakPath(c, base, c.h * (0.14 - i * 0.02), c.h * 0.05), far, Shade(far, 0.9));
    const double mist = c.rng.Real(0.04, 0.08);
    Mist(p, c.w, base + c.h * mist, c.h * 0.05, QColor(250, 250, 252, 85));
  }
  switch (variant) {
    case 1: {  // A waterfall between cliffs.
      QPainterPath fall;
      fall.moveTo(c.w * 0.44, c.h * 0.28);
      fall.lineTo(c.w * 0.56, c.h * 0.28);
      fall.lineTo(c.w * 0.6, c.h * 0.78);
      fall.lineTo(c.w * 0.4, c.h * 0.78);
      fall.closeSubpath();
      FillPath(p, fall, QColor(230, 245, 255), QColor(200, 225, 245));
      p.setPen(QPen(QColor(255, 255, 255, 200), 0.8));
      for (int i = 0; i < 14; ++i) {
        const double x = c.w * c.rng.Real(0.44, 0.56);
        p.drawLine(QPointF(x, c.h * 0.3), QPointF(x + (x - c.w / 2) * 0.3, c.h * 0.76));
      }
      for (int side : {-1, 1}) {
        QPainterPath cliff;
        const double edge = side < 0 ? c.w * 0.44 : c.w * 0.56;
        const double outer = side < 0 ? -2 : c.w + 2;
        cliff.moveTo(outer, c.h * 0.2);
        cliff.lineTo(edge + side * 4, c.h * 0.25);
        cliff.lineTo(edge, c.h * 0.45);
        cliff.lineTo(edge + side * 6, c.h * 0.6);
        cliff.lineTo(edge + side * 2, c.h * 0.8);
        cliff.lineTo(outer, c.h * 0.8);
        cliff.closeSubpath();
        FillPath(p, cliff, Hsv(hue, 80, 120), Hsv(hue, 90, 80));
      }
      Water(c, QRectF(0, c.h * 0.78, c.w, c.h * 0.22), QColor(150, 200, 220), QColor(90, 150, 180),
            QColor(255, 255, 255), 60);
      Mist(p, c.w, c.h * 0.78, c.h * 0.05, QColor(255, 255, 255, 200));
      break;
    }
    case 2: {  // A river winding down the valley, a little boat.
      QPainterPath river;
      river.moveTo(c.w * 0.48, c.h * 0.55);
      river.cubicTo(c.w * 0.2, c.h * 0.7, c.w * 0.9, c.h * 0.8, c.w * 0.3, c.h);
      river.lineTo(c.w * 0.9, c.h);
      river.cubicTo(c.w * 1.1, c.h * 0.8, c.w * 0.4, c.h * 0.7, c.w * 0.56, c.h * 0.55);
      river.closeSubpath();
      FillPath(p, river, QColor(170, 215, 230), QColor(90, 160, 200));
      p.setPen(QPen(QColor(60, 40, 30), 1.2));
      p.setBrush(QColor(120, 80, 50));
      QPainterPath boat;
      const QPointF b = c.At(0.55, 0.82);
      boat.moveTo(b + QPointF(-10, 0));
      boat.lineTo(b + QPointF(10, 0));
      boat.lineTo(b + QPointF(6, 4));
      boat.lineTo(b + QPointF(-6, 4));
      boat.closeSubpath();
      p.drawPath(boat);
      p.drawLine(b, b + QPointF(3, -12));
      break;
    }
    case 3: {  // A pine on a cliff above a sea of clouds.
      Clouds(c, QRectF(0, c.h * 0.65, c.w, c.h * 0.3), 5, QColor(255, 255, 255, 230), false);
      QPainterPath rock;
      rock.moveTo(-2, c.h * 0.55);
      rock.lineTo(c.w * 0.25, c.h * 0.6);
      rock.lineTo(c.w * 0.35, c.h * 0.75);
      rock.lineTo(c.w * 0.3, c.h);
      rock.lineTo(-2, c.h);
      rock.closeSubpath();
      FillPath(p, rock, Hsv(hue, 40, 90), Hsv(hue, 40, 50));
      p.setPen(QPen(QColor(70, 50, 40), 2.2));
      p.setBrush(Qt::NoBrush);
      QPainterPath trunk;
      trunk.moveTo(c.At(0.2, 0.6));
      trunk.cubicTo(c.At(0.3, 0.5), c.At(0.4, 0.48), c.At(0.65, 0.42));
      p.drawPath(trunk);
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 6; ++i) {
        const QPointF at = trunk.pointAtPercent(0.4 + i * 0.12);
        p.setBrush(Hsv(140, 120, 80 + i * 6));
        p.drawEllipse(at + QPointF(0, -4), c.w * 0.1, c.h * 0.02);
      }
      break;
    }
    default: {  // A lake at the foot of the peaks.
      Water(c, QRectF(0, c.h * 0.72, c.w, c.h * 0.28), Hsv(hue, 60, 200), Hsv(hue, 90, 150),
            QColor(255, 255, 255), 80);
      if (variant == 5) {
        for (int i = 0; i < 7; ++i) {
          const QPointF at = c.Anywhere(0, 1, 0.82, 1);
          p.setPen(QPen(QColor(70, 70, 80), 0.8));
          p.setBrush(QColor(130, 130, 140));
          p.drawEllipse(at, c.w * 0.06, c.h * 0.02);
        }
      }
      break;
    }
  }
}

// ---- 历史沧桑 ------------------------------------------------------------------------------

void Crenellations(QPainter& p, double x0, double x1, double top, double size) {
  for (double x = x0; x < x1; x += size * 2) p.drawRect(QRectF(x, top - size, size, size + 1));
}

void Pagoda(QPainter& p, QPointF base, double width, int tiers, const QColor& color) {
  double y = base.y();
  double w = width;
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  for (int i = 0; i < tiers; ++i) {
    const double storey = width * 0.38;
    p.drawRect(QRectF(base.x() - w * 0.35, y - storey, w * 0.7, storey));
    QPainterPath eave;
    eave.moveTo(base.x() - w * 0.65, y - storey + 2);
    eave.quadTo(base.x() - w * 0.4, y - storey - 2, base.x() - w * 0.3, y - storey - 5);
    eave.lineTo(base.x() + w * 0.3, y - storey - 5);
    eave.quadTo(base.x() + w * 0.4, y - storey - 2, base.x() + w * 0.65, y - storey + 2);
    eave.closeSubpath();
    p.drawPath(eave);
    y -= storey + 5;
    w *= 0.84;
  }
  p.drawRect(QRectF(base.x() - 1, y - width * 0.3, 2, width * 0.3));
}

void HistoryScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const QColor paper(238, 222, 190);
  const QColor ink(96, 70, 48);
  c.Sky({Shade(paper, 1.04), paper, Shade(paper, 0.9)});
  switch (variant) {
    case 0: {  // A great wall over the hills.
      FillPath(p, PeakPath(c, c.h * 0.45, c.h * 0.12, c.h * 0.05), Mix(paper, ink, 0.25),
               Mix(paper, ink, 0.3));
      FillPath(p, PeakPath(c, c.h * 0.62, c.h * 0.12, c.h * 0.06), Mix(paper, ink, 0.45),
               Mix(paper, ink, 0.5));
      QPainterPath wall;
      wall.moveTo(-4, c.h * 0.85);
      wall.cubicTo(c.w * 0.3, c.h * 0.5, c.w * 0.6, c.h * 0.8, c.w * 1.05, c.h * 0.45);
      p.setPen(QPen(Mix(paper, ink, 0.7), 8, Qt::SolidLine, Qt::FlatCap));
      p.setBrush(Qt::NoBrush);
      p.drawPath(wall);
      p.setPen(Qt::NoPen);
      p.setBrush(Mix(paper, ink, 0.8));
      for (int i = 0; i <= 20; ++i) {
        const QPointF at = wall.pointAtPercent(i / 20.0);
        p.drawRect(QRectF(at.x() - 1.5, at.y() - 7, 3, 3));
      }
      for (double t : {0.2, 0.65}) {
        const QPointF at = wall.pointAtPercent(t);
        p.drawRect(QRectF(at.x() - 7, at.y() - 16, 14, 14));
        Crenellations(p, at.x() - 7, at.x() + 7, at.y() - 16, 2.5);
      }
      break;
    }
    case 1: {  // A pagoda on a hill at sunset.
      Sun(p, c.At(0.7, 0.3), c.w * 0.1, QColor(250, 220, 170), QColor(240, 190, 130));
      FillPath(p, HillPath(c.w, c.h, c.h * 0.75, c.h * 0.06, 2, 0.7), Mix(paper, ink, 0.6),
               Mix(paper, ink, 0.75));
      Pagoda(p, c.At(0.4, 0.72), c.w * 0.3, 6, Mix(paper, ink, 0.85));
      Bird(p, c.At(0.75, 0.2), 5, ink);
      Bird(p, c.At(0.85, 0.25), 4, ink);
      break;
    }
    case 2: {  // Broken columns.
      FillVertical(p, QRectF(0, c.h * 0.8, c.w, c.h * 0.2), Mix(paper, ink, 0.35),
                   Mix(paper, ink, 0.45));
      const double heights[] = {0.55, 0.3, 0.45, 0.2};
      for (int i = 0; i < 4; ++i) {
        const double x = c.w * (0.12 + i * 0.25);
        const double top = c.h * (0.8 - heights[i]);
        QLinearGradient stone(QPointF(x - 8, 0), QPointF(x + 8, 0));
        stone.setColorAt(0, Mix(paper, ink, 0.2));
        stone.setColorAt(1, Mix(paper, ink, 0.55));
        p.setPen(QPen(Mix(paper, ink, 0.7), 0.8));
        p.setBrush(stone);
        QPainterPath column;
        column.moveTo(x - 8, c.h * 0.8);
        column.lineTo(x - 8, top + 3);
        column.lineTo(x - 3, top);
        column.lineTo(x + 2, top + 4);
        column.lineTo(x + 8, top + 1);
        column.lineTo(x + 8, c.h * 0.8);
        column.closeSubpath();
        p.drawPath(column);
        for (double fx : {-4.0, 0.0, 4.0}) {
          p.drawLine(QPointF(x + fx, top + 6), QPointF(x + fx, c.h * 0.8));
        }
      }
      p.setBrush(Mix(paper, ink, 0.5));
      p.drawRect(QRectF(c.w * 0.5, c.h * 0.86, c.w * 0.25, c.h * 0.04));
      break;
    }
    case 3: {  // A city gate tower.
      FillVertical(p, QRectF(0, c.h * 0.55, c.w, c.h * 0.45), Mix(paper, ink, 0.55),
                   Mix(paper, ink, 0.65));
      p.setPen(QPen(Mix(paper, ink, 0.75), 0.6));
      for (double y = c.h * 0.58; y < c.h; y += 6) {
        p.drawLine(QPointF(0, y), QPointF(c.w, y));
        for (double x = (static_cast<int>(y) % 12 < 6 ? 0 : 6); x < c.w; x += 12) {
          p.drawLine(QPointF(x, y), QPointF(x, y + 6));
        }
      }
      p.setPen(Qt::NoPen);
      p.setBrush(Mix(paper, ink, 0.6));
      Crenellations(p, 0, c.w, c.h * 0.55, 5);
      p.setBrush(Mix(paper, ink, 0.95));
      QPainterPath arch;
      arch.addRoundedRect(QRectF(c.w * 0.38, c.h * 0.72, c.w * 0.24, c.h * 0.3), c.w * 0.12,
                          c.w * 0.12);
      p.drawPath(arch);
      Pagoda(p, c.At(0.5, 0.55), c.w * 0.55, 2, Mix(paper, ink, 0.8));
      break;
    }
    case 4: {  // An old arched bridge.
      Water(c, QRectF(0, c.h * 0.62, c.w, c.h * 0.38), Mix(paper, ink, 0.3), Mix(paper, ink, 0.45),
            paper, 50);
      QPainterPath bridge;
      bridge.moveTo(-2, c.h * 0.58);
      bridge.quadTo(c.w * 0.5, c.h * 0.38, c.w + 2, c.h * 0.58);
      bridge.lineTo(c.w + 2, c.h * 0.66);
      bridge.lineTo(c.w * 0.82, c.h * 0.66);
      bridge.quadTo(c.w * 0.5, c.h * 0.3, c.w * 0.18, c.h * 0.66);
      bridge.lineTo(-2, c.h * 0.66);
      bridge.closeSubpath();
      FillPath(p, bridge, Mix(paper, ink, 0.6), Mix(paper, ink, 0.75));
      p.setPen(QPen(Mix(paper, ink, 0.4), 1));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(c.w * 0.2, c.h * 0.62, c.w * 0.6, c.h * 0.25), 0, 180 * 16);
      DrawRoundTree(p, c.At(0.85, 0.6), c.w * 0.3, Mix(paper, ink, 0.5), ink, c.rng);
      break;
    }
    default: {  // Ruined wall with tattered banners.
      FillPath(p, HillPath(c.w, c.h, c.h * 0.6, c.h * 0.03, 1, 1), Mix(paper, ink, 0.3),
               Mix(paper, ink, 0.35));
      QPainterPath wall =
          RidgePath(c.rng, -2, c.w + 2, c.h * 0.45, c.h * 0.35, c.h * 0.85, 14, c.h * 0.04);
      FillPath(p, wall, Mix(paper, ink, 0.65), Mix(paper, ink, 0.8));
      p.setPen(QPen(Mix(paper, ink, 0.9), 0.6));
      for (int i = 0; i < 30; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0.5, 0.85);
        p.drawLine(at, at + QPointF{c.rng.Real(-5, 5), c.rng.Real(2, 6)});
      }
      for (double x : {0.25, 0.75}) {
        p.setPen(QPen(ink, 1.2));
        p.drawLine(c.At(x, 0.4), c.At(x, 0.15));
        QPainterPath flag;
        flag.moveTo(c.At(x, 0.15));
        flag.lineTo(c.At(x + 0.14, 0.17));
        flag.lineTo(c.At(x + 0.1, 0.2));
        flag.lineTo(c.At(x + 0.14, 0.24));
        flag.lineTo(c.At(x, 0.25));
        p.setBrush(QColor(150, 60, 40));
        p.drawPath(flag);
      }
      FillVertical(p, QRectF(0, c.h * 0.85, c.w, c.h * 0.15), Mix(paper, ink, 0.5),
                   Mix(paper, ink, 0.6));
      break;
    }
  }
}

// ---- 白雪悠然 ------------------------------------------------------------------------------

void Snowman(QPainter& p, QPointF base, double s, const QColor& scarf) {
  p.setPen(QPen(QColor(180, 200, 220), 1));
  p.setBrush(QColor(252, 253, 255));
  p.drawEllipse(base - QPointF(0, s * 0.45), s * 0.5, s * 0.45);
  p.drawEllipse(base - QPointF(0, s * 1.15), s * 0.35, s * 0.32);
  p.drawEllipse(base - QPointF(0, s * 1.65), s * 0.26, s * 0.24);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 30, 30));
  p.drawEllipse(base + QPointF(-s * 0.09, -s * 1.7), s * 0.035, s * 0.035);
  p.drawEllipse(base + QPointF(s * 0.09, -s * 1.7), s * 0.035, s * 0.035);
  for (int i = 0; i < 3; ++i) p.drawEllipse(base + QPointF(0, -s * (1.25 - i * 0.12)), 1.2, 1.2);
  p.setBrush(QColor(250, 130, 30));
  QPainterPath nose;
  nose.moveTo(base + QPointF(0, -s * 1.64));
  nose.lineTo(base + QPointF(s * 0.22, -s * 1.6));
  nose.lineTo(base + QPointF(0, -s * 1.58));
  nose.closeSubpath();
  p.drawPath(nose);
  p.setBrush(scarf);
  p.drawRoundedRect(QRectF(base.x() - s * 0.27, base.y() - s * 1.46, s * 0.54, s * 0.09), 2, 2);
  p.drawRect(QRectF(base.x() + s * 0.1, base.y() - s * 1.42, s * 0.1, s * 0.3));
  p.setBrush(QColor(40, 40, 50));
  p.drawRect(QRectF(base.x() - s * 0.2, base.y() - s * 2.05, s * 0.4, s * 0.2));
  p.drawRect(QRectF(base.x() - s * 0.3, base.y() - s * 1.87, s * 0.6, s * 0.05));
  p.setPen(QPen(QColor(110, 80, 60), 1.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(base + QPointF(-s * 0.33, -s * 1.2), base + QPointF(-s * 0.75, -s * 1.5));
  p.drawLine(base + QPointF(s * 0.33, -s * 1.2), base + QPointF(s * 0.72, -s * 1.4));
}

void SnowScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const bool dusk = (variant == 2) != (c.alternate && variant % 2 == 1);
  if (dusk) {
    c.Sky({QColor(60, 70, 130), QColor(140, 140, 200), QColor(230, 190, 200)});
  } else if (variant == 3) {
    c.Sky({Hsv(212, 150, 215), Hsv(205, 60, 245)});
  } else {
    c.Sky({Hsv(205, c.rng.Int(50, 90), 240), QColor(240, 246, 252)});
  }
  const QColor snow(250, 252, 255);
  const QColor shadow(200, 215, 235);
  switch (variant) {
    case 0:
    case 5: {
      FillPath(p, HillPath(c.w, c.h, c.h * 0.5, c.h * 0.05, c.rng.Real(0, 6), 0.8), shadow, snow);
      for (int i = 0; i < 5; ++i) {
        DrawPine(p, QPointF{c.w * c.rng.Real(0, 1), c.h * c.rng.Real(0.5, 0.6)}, c.w * 0.16,
                 c.h * 0.16, QColor(50, 100, 80), snow);
      }
      FillPath(p, HillPath(c.w, c.h, c.h * 0.7, c.h * 0.04, c.rng.Real(0, 6), 1.1), snow, shadow);
      if (variant == 5) {
        QPainterPath path;  // a trodden path, widening towards us
        path.moveTo(c.w * 0.44, c.h * 0.7);
        path.cubicTo(c.w * 0.25, c.h * 0.8, c.w * 0.7, c.h * 0.88, c.w * 0.3, c.h);
        path.lineTo(c.w * 0.62, c.h);
        path.cubicTo(c.w * 0.95, c.h * 0.88, c.w * 0.35, c.h * 0.8, c.w * 0.48, c.h * 0.7);
        path.closeSubpath();
        FillPath(p, path, QColor(214, 224, 240), QColor(190, 205, 228));
        p.setPen(QPen(QColor(50, 50, 60), 2));
        p.drawLine(c.At(0.75, 0.95), c.At(0.75, 0.6));
        QRadialGradient glow(c.At(0.75, 0.6), c.w * 0.15);
        glow.setColorAt(0, QColor(255, 240, 190, 220));
        glow.setColorAt(1, QColor(255, 240, 190, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c.At(0.75, 0.6), c.w * 0.15, c.w * 0.15);
      } else {
        for (int i = 0; i < 3; ++i) {
          DrawPine(p, QPointF(c.w * (0.1 + i * 0.4), c.h * 0.9), c.w * 0.3, c.h * 0.3,
                   QColor(40, 90, 70), snow);
        }
      }
      break;
    }
    case 1: {
      FillPath(p, HillPath(c.w, c.h, c.h * 0.65, c.h * 0.03, c.rng.Real(0, 6), 1.0), snow, shadow);
      DrawPine(p, c.At(0.82, 0.68), c.w * 0.3, c.h * 0.32, QColor(50, 100, 80), snow);
      Snowman(p, c.At(0.42, 0.9), c.w * 0.42, Hsv(c.rng.Int(0, 359), 200, 220));
      break;
    }
    case 2: {  // A cabin at dusk.
      FillPath(p, PeakPath(c, c.h * 0.42, c.h * 0.1, c.h * 0.04), QColor(210, 210, 235),
               QColor(170, 175, 210));
      FillPath(p, HillPath(c.w, c.h, c.h * 0.66, c.h * 0.03, 1, 0.8), QColor(230, 230, 245),
               QColor(190, 195, 225));
      const QPointF house = c.At(0.45, 0.7);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(120, 80, 60));
      p.drawRect(QRectF(house.x() - 20, house.y() - 20, 40, 22));
      QPainterPath roof;
      roof.moveTo(house.x() - 26, house.y() - 18);
      roof.lineTo(house.x(), house.y() - 38);
      roof.lineTo(house.x() + 26, house.y() - 18);
      roof.closeSubpath();
      p.setBrush(QColor(250, 250, 255));
      p.drawPath(roof);
      p.setBrush(QColor(255, 210, 110));
      p.drawRect(QRectF(house.x() - 12, house.y() - 13, 8, 7));
      p.drawRect(QRectF(house.x() + 5, house.y() - 13, 8, 7));
      for (int i = 0; i < 5; ++i) {
        DrawPine(p, QPointF(c.w * (i * 0.25 - 0.02), c.h * (0.75 + (i % 2) * 0.05)), c.w * 0.2,
                 c.h * 0.22, QColor(30, 60, 60), QColor(235, 235, 250));
      }
      break;
    }
    case 3: {  // Snowy peaks and a frozen lake.
      for (int i = 0; i < 2; ++i) {
        const QPainterPath peaks = PeakPath(c, c.h * (0.38 + i * 0.1), c.h * 0.16, c.h * 0.08);
        FillPath(p, peaks, i ? QColor(250, 252, 255) : QColor(236, 240, 250),
                 i ? QColor(80, 100, 140) : QColor(130, 150, 190));
      }
      FillVertical(p, QRectF(0, c.h * 0.62, c.w, c.h * 0.38), QColor(200, 225, 240),
                   QColor(230, 240, 250));
      p.setPen(QPen(QColor(255, 255, 255, 180), 0.8));
      for (int i = 0; i < 20; ++i) {
        const QPointF at = c.Anywhere(0, 1, 0.65, 1);
        p.drawLine(at, at + QPointF{c.rng.Real(6, 18), c.rng.Real(-1, 1)});
      }
      break;
    }
    default: {  // Big flakes against a winter sky.
      FillVertical(p, QRectF(0, c.h * 0.8, c.w, c.h * 0.2), shadow, snow);
      for (int i = 0; i < 9; ++i) {
        const QPointF at = c.Anywhere(0.05, 0.95, 0.05, 0.75);
        const double s = c.w * c.rng.Real(0.06, 0.14);
        DrawSnowflake(p, at, s, QColor(255, 255, 255, 230));
        for (int k = 0; k < 6; ++k) {
          const double a = k * kPi / 3;
          const QPointF tip = at + QPointF(std::cos(a), std::sin(a)) * s * 0.6;
          DrawSnowflake(p, tip, s * 0.2, QColor(255, 255, 255, 200));
        }
      }
      break;
    }
  }
  // Falling snow over everything.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 70; ++i) {
    const QPointF at = c.Anywhere(0, 1, 0, 1);
    const double r = c.rng.Real(0.6, 2.0);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(at, r, r);
  }
}

// ---- 我心依旧 ------------------------------------------------------------------------------

void SunsetScene(Canvas& c, int variant) {
  QPainter& p = c.p;
  const int warm = c.rng.Int(10, 35);
  const int dusk = c.alternate ? c.rng.Int(200, 230) : c.rng.Int(240, 280);
  c.Sky({Hsv(dusk, 120, 120), Hsv(c.alternate ? 10 : 330, 120, 220), Hsv(warm, 200, 255),
         Hsv(warm + 15, 160, 255)});
  const double horizon = c.h * c.rng.Real(0.58, 0.66);
  const QPointF sun{c.w * c.rng.Real(0.35, 0.65), horizon - c.h * c.rng.Real(0.0, 0.08)};
  Sun(p, sun, c.w * 0.11, QColor(255, 240, 170), QColor(255, 170, 90));
  Clouds(c, QRectF(0, c.h * 0.1, c.w, c.h * 0.3), 2, QColor(255, 160, 150, 150), false);
  Water(c, QRectF(0, horizon, c.w, c.h - horizon), Hsv(warm + 330, 130, 180), Hsv(250, 120, 80),
        QColor(255, 200, 120), 60);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 18; ++i) {  // the sun's path on the sea
    const double y = horizon + 2 + i * (c.h - horizon) / 18;
    const double half = c.w * (0.05 + i * 0.008) * c.rng.Real(0.4, 1.1);
    p.setBrush(QColor(255, 220, 150, 220 - i * 9));
    p.drawRect(QRectF(sun.x() - half, y, half * 2, 1.4));
  }
  const QColor dark(50, 25, 40);
  switch (variant) {
    case 0:
      for (int i = 0; i < 4; ++i) {
        const QPointF at = c.Anywhere(0.1, 0.9, 0.15, 0.4);
        Bird(p, at, 4 + i, dark);
      }
      break;
    case 1: {  // A lone tree on a cliff.
      QPainterPath cliff;
      cliff.moveTo(-2, horizon - c.h * 0.12);
      cliff.quadTo(c.w * 0.3, horizon - c.h * 0.14, c.w * 0.45, horizon + c.h * 0.05);
      cliff.lineTo(c.w * 0.4, c.h + 2);
      cliff.lineTo(-2, c.h + 2);
      cliff.closeSubpath();
      p.setBrush(dark);
      p.drawPath(cliff);
      const QPointF base(c.w * 0.2, horizon - c.h * 0.13);
      p.setPen(QPen(dark, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(base, base + QPointF(4, -c.h * 0.2));
      p.setPen(QPen(dark, 1.5, Qt::SolidLine, Qt::RoundCap));
      for (int i = 0; i < 5; ++i) {
        const QPointF from = base + QPointF(3, -c.h * (0.08 + i * 0.03));
        p.drawLine(from, from + QPointF{c.rng.Real(-16, 16), -c.rng.Real(4, 12)});
      }
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 8; ++i) {
        const QPointF at = base + QPointF{c.rng.Real(-16, 20), -c.h * c.rng.Real(0.18, 0.27)};
        p.drawEllipse(at, c.w * 0.09, c.w * 0.06);
      }
      break;
    }
    case 2: {  // A lighthouse.
      QPainterPath rocks;
      rocks.moveTo(c.w * 0.45, c.h + 2);
      rocks.lineTo(c.w * 0.55, horizon + c.h * 0.05);
      rocks.quadTo(c.w * 0.75, horizon - c.h * 0.02, c.w * 0.95, horizon + c.h * 0.06);
      rocks.lineTo(c.w + 2, c.h + 2);
      rocks.closeSubpath();
      p.setBrush(dark);
      p.drawPath(rocks);
      const QPointF base(c.w * 0.75, horizon);
      QPainterPath tower;
      tower.moveTo(base + QPointF(-8, 0));
      tower.lineTo(base + QPointF(-5, -c.h * 0.3));
      tower.lineTo(base + QPointF(5, -c.h * 0.3));
      tower.lineTo(base + QPointF(8, 0));
      tower.closeSubpath();
      p.drawPath(tower);
      p.setBrush(QColor(255, 240, 180));
      p.drawRect(QRectF(base.x() - 4, base.y() - c.h * 0.34, 8, c.h * 0.04));
      p.setBrush(dark);
      p.drawRect(QRectF(base.x() - 6, base.y() - c.h * 0.35, 12, 2));
      QPainterPath beam;
      beam.moveTo(base + QPointF(0, -c.h * 0.32));
      beam.lineTo(QPointF(-2, base.y() - c.h * 0.42));
      beam.lineTo(QPointF(-2, base.y() - c.h * 0.3));
      beam.closeSubpath();
      QLinearGradient light(base, QPointF(0, base.y()));
      light.setColorAt(0, QColor(255, 245, 200, 160));
      light.setColorAt(1, QColor(255, 245, 200, 0));
      p.setBrush(light);
      p.drawPath(beam);
      break;
    }
    case 3: {  // A palm on the beach.
      FillVertical(p, QRectF(0, c.h * 0.88, c.w, c.h * 0.12), QColor(120, 60, 60), dark);
      QPainterPath trunk;
      trunk.moveTo(c.At(0.15, 0.9));
      trunk.cubicTo(c.At(0.2, 0.6), c.At(0.15, 0.4), c.At(0.3, 0.25));
      p.setPen(QPen(dark, 4, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawPath(trunk);
      p.setPen(QPen(dark, 2.2, Qt::SolidLine, Qt::RoundCap));
      const QPointF top = c.At(0.3, 0.25);
      for (int i = 0; i < 7; ++i) {
        const double a = kPi * (0.9 + i * 0.22);
        QPainterPath frond;
        frond.moveTo(top);
        frond.quadTo(top + QPointF(std::cos(a) * 18, std::sin(a) * 18 - 6),
                     top + QPointF(std::cos(a) * 30, std::sin(a) * 20 + 10));
        p.drawPath(frond);
      }
      break;
    }
    case 4: {  // A sailing boat.
      const QPointF boat(c.w * 0.62, horizon + c.h * 0.06);
      p.setBrush(dark);
      QPainterPath hull;
      hull.moveTo(boat + QPointF(-16, 0));
      hull.lineTo(boat + QPointF(16, 0));
      hull.lineTo(boat + QPointF(11, 5));
      hull.lineTo(boat + QPointF(-11, 5));
      hull.closeSubpath();
      p.drawPath(hull);
      QPainterPath sail;
      sail.moveTo(boat + QPointF(0, -2));
      sail.lineTo(boat + QPointF(0, -34));
      sail.lineTo(boat + QPointF(14, -4));
      sail.closeSubpath();
      sail.moveTo(boat + QPointF(-2, -4));
      sail.lineTo(boat + QPointF(-2, -28));
      sail.lineTo(boat + QPointF(-13, -4));
      sail.closeSubpath();
      p.drawPath(sail);
      Bird(p, c.At(0.25, 0.3), 5, dark);
      break;
    }
    default: {  // A jetty stretching out to sea.
      p.setBrush(dark);
      QPainterPath jetty;
      jetty.moveTo(-2, c.h * 0.88);
      jetty.lineTo(c.w * 0.7, horizon + c.h * 0.05);
      jetty.lineTo(c.w * 0.72, horizon + c.h * 0.055);
      jetty.lineTo(-2, c.h * 0.93);
      jetty.closeSubpath();
      p.drawPath(jetty);
      for (int i = 0; i < 8; ++i) {
        const double t = i / 8.0;
        const QPointF at(c.w * 0.7 * t, c.h * 0.88 + (horizon + c.h * 0.05 - c.h * 0.88) * t);
        p.drawRect(QRectF(at.x(), at.y(), 1.6, (1 - t) * 14 + 4));
      }
      break;
    }
  }
}

}  // namespace

QImage DrawScene(int width, int height, SceneTheme theme, int variant, bool alternate, Rng& rng) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Canvas canvas{painter, rng, static_cast<double>(width), static_cast<double>(height), alternate};
    switch (theme) {
      case SceneTheme::Cartoon:
        CartoonScene(canvas, variant);
        break;
      case SceneTheme::Meadow:
        MeadowScene(canvas, variant);
        break;
      case SceneTheme::Night:
        NightScene(canvas, variant);
        break;
      case SceneTheme::Elegance:
        EleganceScene(canvas, variant);
        break;
      case SceneTheme::Love:
        LoveScene(canvas, variant);
        break;
      case SceneTheme::Spring:
        SpringScene(canvas, variant);
        break;
      case SceneTheme::Mountains:
        MountainScene(canvas, variant);
        break;
      case SceneTheme::History:
        HistoryScene(canvas, variant);
        break;
      case SceneTheme::Snow:
        SnowScene(canvas, variant);
        break;
      case SceneTheme::Sunset:
        SunsetScene(canvas, variant);
        break;
    }
  }
  if (alternate) image = image.mirrored(true, false);
  if (theme == SceneTheme::History) {
    // Old photographs: sepia toned, darkened at the corners, scratched.
    for (int y = 0; y < height; ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < width; ++x) {
        const int g = qGray(line[x]);
        line[x] = alternate ? qRgb(std::min(255, g * 104 / 100 + 6), g * 98 / 100, g * 86 / 100)
                            : qRgb(std::min(255, g * 112 / 100 + 10),
                                   std::min(255, g * 98 / 100 + 4), g * 76 / 100);
      }
    }
    AddVignette(image, 0.45);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(255, 250, 230, 70), 0.6));
    for (int i = 0; i < 6; ++i) {
      const double x = rng.Real(0, width);
      const double top = rng.Real(0, height * 0.5);
      const double length = rng.Real(height * 0.2, height * 0.6);
      painter.drawLine(QPointF(x, top), QPointF(x + rng.Real(-3, 3), top + length));
    }
  }
  return image;
}

}  // namespace vestora::pictures
