#include "drawing.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace vestora::pictures {

QColor Hsv(int hue, int saturation, int value, int alpha) {
  return QColor::fromHsv(((hue % 360) + 360) % 360, std::clamp(saturation, 0, 255),
                         std::clamp(value, 0, 255), std::clamp(alpha, 0, 255));
}

QColor Shade(const QColor& color, double factor) {
  const int h = color.hsvHue() < 0 ? 0 : color.hsvHue();
  const int s = color.hsvSaturation();
  const int v = color.value();
  if (factor >= 1.0) {
    // Lighter: raise the value and wash out some saturation once the value is full.
    const int nv = static_cast<int>(v * factor);
    const int ns = nv > 255 ? static_cast<int>(s - (nv - 255) * 0.6) : s;
    return Hsv(h, ns, nv, color.alpha());
  }
  return Hsv(h, s, static_cast<int>(v * factor), color.alpha());
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                lerp(a.alpha(), b.alpha()));
}

QColor WithAlpha(QColor color, int alpha) {
  color.setAlpha(std::clamp(alpha, 0, 255));
  return color;
}

QPainterPath HeartPath(QPointF c, double s) {
  QPainterPath path;
  path.moveTo(c.x(), c.y() + s * 0.9);
  path.cubicTo(c.x() - s * 1.3, c.y() + s * 0.1, c.x() - s * 0.8, c.y() - s * 0.95, c.x(),
               c.y() - s * 0.35);
  path.cubicTo(c.x() + s * 0.8, c.y() - s * 0.95, c.x() + s * 1.3, c.y() + s * 0.1, c.x(),
               c.y() + s * 0.9);
  path.closeSubpath();
  return path;
}

QPainterPath StarPath(QPointF c, double outer, double inner, int points, double turn) {
  QPainterPath path;
  for (int i = 0; i < points * 2; ++i) {
    const double r = i % 2 == 0 ? outer : inner;
    const double a = turn - std::numbers::pi / 2 + i * std::numbers::pi / points;
    const QPointF p(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0) {
      path.moveTo(p);
    } else {
      path.lineTo(p);
    }
  }
  path.closeSubpath();
  return path;
}

QPainterPath CloudPath(QPointF c, double w, double h) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  path.addEllipse(QPointF(c.x() - w * 0.28, c.y() + h * 0.1), w * 0.26, h * 0.36);
  path.addEllipse(QPointF(c.x(), c.y() - h * 0.12), w * 0.3, h * 0.46);
  path.addEllipse(QPointF(c.x() + w * 0.27, c.y() + h * 0.06), w * 0.24, h * 0.38);
  path.addRoundedRect(QRectF(c.x() - w * 0.48, c.y() + h * 0.02, w * 0.96, h * 0.44), h * 0.22,
                      h * 0.22);
  return path.simplified();
}

void FillVertical(QPainter& painter, const QRectF& rect, const QColor& top, const QColor& bottom) {
  FillVertical(painter, rect, {top, bottom});
}

void FillVertical(QPainter& painter, const QRectF& rect, std::initializer_list<QColor> stops) {
  QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
  const int n = static_cast<int>(stops.size());
  int i = 0;
  for (const QColor& color : stops) {
    gradient.setColorAt(n == 1 ? 0.0 : static_cast<double>(i) / (n - 1), color);
    ++i;
  }
  painter.fillRect(rect, gradient);
}

void DrawFlower(QPainter& painter, QPointF c, double r, const QColor& petals, const QColor& heart,
                int petalCount) {
  painter.save();
  painter.setPen(QPen(Shade(petals, 0.75), std::max(0.6, r * 0.08)));
  painter.setBrush(petals);
  for (int i = 0; i < petalCount; ++i) {
    const double a = i * 2 * std::numbers::pi / petalCount;
    painter.drawEllipse(QPointF(c.x() + r * 0.55 * std::cos(a), c.y() + r * 0.55 * std::sin(a)),
                        r * 0.45, r * 0.45);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(heart);
  painter.drawEllipse(c, r * 0.3, r * 0.3);
  painter.restore();
}

void DrawSparkle(QPainter& painter, QPointF c, double s, const QColor& color) {
  painter.save();
  painter.setPen(Qt::NoPen);
  QRadialGradient glow(c, s * 1.2);
  glow.setColorAt(0, WithAlpha(color, 150));
  glow.setColorAt(1, WithAlpha(color, 0));
  painter.setBrush(glow);
  painter.drawEllipse(c, s * 1.2, s * 1.2);
  painter.setBrush(color);
  painter.drawPath(StarPath(c, s, s * 0.22, 4));
  painter.setBrush(QColor(255, 255, 255));
  painter.drawEllipse(c, s * 0.18, s * 0.18);
  painter.restore();
}

void DrawSnowflake(QPainter& painter, QPointF c, double s, const QColor& color) {
  painter.save();
  painter.setPen(QPen(color, std::max(0.7, s * 0.16), Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 3; ++i) {
    const double a = i * std::numbers::pi / 3;
    const QPointF d(s * std::cos(a), s * std::sin(a));
    painter.drawLine(c - d, c + d);
  }
  painter.restore();
}

void DrawPine(QPainter& painter, QPointF base, double w, double h, const QColor& color,
              const QColor& snow) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(92, 64, 44));
  painter.drawRect(QRectF(base.x() - w * 0.07, base.y() - h * 0.14, w * 0.14, h * 0.14));
  for (int tier = 0; tier < 3; ++tier) {
    const double top = base.y() - h + tier * h * 0.24;
    const double bottom = base.y() - h * 0.12 - (2 - tier) * h * 0.2;
    const double half = w * (0.3 + tier * 0.1);
    QPainterPath tri;
    tri.moveTo(base.x(), top);
    tri.lineTo(base.x() + half, bottom);
    tri.lineTo(base.x() - half, bottom);
    tri.closeSubpath();
    painter.setBrush(Shade(color, 0.9 + tier * 0.07));
    painter.drawPath(tri);
    if (snow.alpha() > 0) {
      QPainterPath cap;
      cap.moveTo(base.x(), top);
      cap.lineTo(base.x() + half * 0.45, top + (bottom - top) * 0.45);
      cap.quadTo(base.x(), top + (bottom - top) * 0.6, base.x() - half * 0.45,
                 top + (bottom - top) * 0.45);
      cap.closeSubpath();
      painter.setBrush(snow);
      painter.drawPath(cap);
    }
  }
  painter.restore();
}

void DrawRoundTree(QPainter& painter, QPointF base, double s, const QColor& leaves,
                   const QColor& trunk, Rng& rng) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(trunk);
  QPainterPath stem;
  stem.moveTo(base.x() - s * 0.08, base.y());
  stem.lineTo(base.x() - s * 0.04, base.y() - s * 0.7);
  stem.lineTo(base.x() + s * 0.04, base.y() - s * 0.7);
  stem.lineTo(base.x() + s * 0.08, base.y());
  stem.closeSubpath();
  painter.drawPath(stem);
  for (int i = 0; i < 7; ++i) {
    const QPointF p{base.x() + rng.Real(-0.32, 0.32) * s, base.y() - s * rng.Real(0.7, 1.05)};
    const double r = s * rng.Real(0.22, 0.34);
    painter.setBrush(Shade(leaves, rng.Real(0.8, 1.15)));
    painter.drawEllipse(p, r, r);
  }
  painter.restore();
}

QPainterPath RidgePath(Rng& rng, double x0, double x1, double base, double top, double bottom,
                       int steps, double roughness) {
  std::vector<double> heights(static_cast<std::size_t>(steps) + 1, base);
  // Midpoint displacement over a power-of-two-ish grid, done as a simple smoothed random walk.
  double y = base;
  for (int i = 0; i <= steps; ++i) {
    y += rng.Real(-roughness, roughness);
    y = std::clamp(y, top, bottom - 2);
    heights[static_cast<std::size_t>(i)] = y;
  }
  QPainterPath path;
  path.moveTo(x0, bottom);
  for (int i = 0; i <= steps; ++i) {
    path.lineTo(x0 + (x1 - x0) * i / steps, heights[static_cast<std::size_t>(i)]);
  }
  path.lineTo(x1, bottom);
  path.closeSubpath();
  return path;
}

void AddGrain(QImage& image, Rng& rng, int amount) {
  if (amount <= 0) return;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int d = rng.Int(-amount, amount);
      const QRgb p = line[x];
      line[x] = qRgb(std::clamp(qRed(p) + d, 0, 255), std::clamp(qGreen(p) + d, 0, 255),
                     std::clamp(qBlue(p) + d, 0, 255));
    }
  }
}

void AddVignette(QImage& image, double strength) {
  const double cx = image.width() / 2.0;
  const double cy = image.height() / 2.0;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const double dx = (x - cx) / cx;
      const double dy = (y - cy) / cy;
      const double k = 1.0 - strength * std::clamp((dx * dx + dy * dy) * 0.5, 0.0, 1.0);
      const QRgb p = line[x];
      line[x] = qRgb(static_cast<int>(qRed(p) * k), static_cast<int>(qGreen(p) * k),
                     static_cast<int>(qBlue(p) * k));
    }
  }
}

}  // namespace vestora::pictures
