#include "logo.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace vestora::icon {
namespace {

struct Point {
  double x;
  double y;
};

// A colour with straight (not premultiplied) alpha, each channel in 0..1.
struct Colour {
  double r;
  double g;
  double b;
  double a = 1.0;
};

constexpr Colour Rgb(int rgb, double alpha = 1.0) {
  return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0, alpha};
}

// A region: where it lies (a box that holds it) and whether a point is inside.
struct Shape {
  double left;
  double top;
  double right;
  double bottom;
  std::function<bool(Point)> contains;
};

using Paint = std::function<Colour(Point)>;

Shape RoundedRect(double left, double top, double right, double bottom, double radius) {
  return {left, top, right, bottom, [=](Point p) {
            if (p.x < left || p.x >= right || p.y < top || p.y >= bottom) return false;
            const double cx = std::clamp(p.x, left + radius, right - radius);
            const double cy = std::clamp(p.y, top + radius, bottom - radius);
            const double dx = p.x - cx;
            const double dy = p.y - cy;
            return dx * dx + dy * dy <= radius * radius;
          }};
}

Shape Ellipse(Point centre, double rx, double ry) {
  return {centre.x - rx, centre.y - ry, centre.x + rx, centre.y + ry, [=](Point p) {
            const double dx = (p.x - centre.x) / rx;
            const double dy = (p.y - centre.y) / ry;
            return dx * dx + dy * dy <= 1.0;
          }};
}

// Even-odd rule; the polygons drawn here are simple, so that is the same as non-zero.
Shape Polygon(std::vector<Point> corners) {
  Shape shape{corners[0].x, corners[0].y, corners[0].x, corners[0].y, nullptr};
  for (const Point& c : corners) {
    shape.left = std::min(shape.left, c.x);
    shape.top = std::min(shape.top, c.y);
    shape.right = std::max(shape.right, c.x);
    shape.bottom = std::max(shape.bottom, c.y);
  }
  shape.contains = [corners = std::move(corners)](Point p) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Point a = corners[i];
      const Point b = corners[j];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
    return inside;
  };
  return shape;
}

Shape Both(const Shape& a, const Shape& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom),
          [a = a.contains, b = b.contains](Point p) { return a(p) && b(p); }};
}

Shape Without(const Shape& a, const Shape& b) {
  return {a.left, a.top, a.right, a.bottom,
          [a = a.contains, b = b.contains](Point p) { return a(p) && !b(p); }};
}

Shape Shifted(const Shape& a, double dx, double dy) {
  return {a.left + dx, a.top + dy, a.right + dx, a.bottom + dy, [a = a.contains, dx, dy](Point p) {
            return a({p.x - dx, p.y - dy});
          }};
}

// Everything left of x.
Shape LeftOf(double x, double size) {
  return {0, 0, x, size, [x](Point p) { return p.x < x; }};
}

Paint Solid(Colour colour) {
  return [colour](Point) { return colour; };
}

// Colour c0 at p0 blending into c1 at p1, constant across the line between them.
Paint Linear(Point p0, Colour c0, Point p1, Colour c1) {
  const double dx = p1.x - p0.x;
  const double dy = p1.y - p0.y;
  const double length2 = dx * dx + dy * dy;
  return [=](Point p) {
    const double t = std::clamp(((p.x - p0.x) * dx + (p.y - p0.y) * dy) / length2, 0.0, 1.0);
    return Colour{c0.r + (c1.r - c0.r) * t, c0.g + (c1.g - c0.g) * t, c0.b + (c1.b - c0.b) * t,
                  c0.a + (c1.a - c0.a) * t};
  };
}

// Premultiplied pixels in double precision, composited with "source over". A pixel takes the
// average of 16 x 16 point samples up to 32 pixels and 8 x 8 above.
class Canvas {
 public:
  explicit Canvas(int size)
      : size_(size),
        samples_(size <= 32 ? 16 : 8),
        pixels_(std::size_t(size) * size, Colour{0, 0, 0, 0}) {}

  void Fill(const Shape& shape, const Paint& paint) {
    const double step = 1.0 / samples_;
    const double total = double(samples_) * samples_;
    const int x0 = std::max(0, int(std::floor(shape.left)));
    const int y0 = std::max(0, int(std::floor(shape.top)));
    const int x1 = std::min(size_, int(std::ceil(shape.right)));
    const int y1 = std::min(size_, int(std::ceil(shape.bottom)));
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        Colour sum{0, 0, 0, 0};
        for (int sy = 0; sy < samples_; ++sy) {
          for (int sx = 0; sx < samples_; ++sx) {
            const Point p{x + (sx + 0.5) * step, y + (sy + 0.5) * step};
            if (!shape.contains(p)) continue;
            const Colour c = paint(p);
            sum.r += c.r * c.a;
            sum.g += c.g * c.a;
            sum.b += c.b * c.a;
            sum.a += c.a;
          }
        }
        if (sum.a == 0.0) continue;
        Colour& dst = pixels_[std::size_t(y) * size_ + x];
        const double keep = 1.0 - sum.a / total;
        dst.r = sum.r / total + dst.r * keep;
        dst.g = sum.g / total + dst.g * keep;
        dst.b = sum.b / total + dst.b * keep;
        dst.a = sum.a / total + dst.a * keep;
      }
    }
  }

  QImage ToImage() const {
    QImage image(size_, size_, QImage::Format_ARGB32);
    for (int y = 0; y < size_; ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < size_; ++x) {
        const Colour& p = pixels_[std::size_t(y) * size_ + x];
        const int alpha = ToByte(p.a);
        if (alpha == 0) {
          line[x] = 0;
          continue;
        }
        line[x] = qRgba(ToByte(p.r / p.a), ToByte(p.g / p.a), ToByte(p.b / p.a), alpha);
      }
    }
    return image;
  }

 private:
  static int ToByte(double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

  int size_;
  int samples_;
  std::vector<Colour> pixels_;
};

}  // namespace

QImage DrawLogo(int size) {
  Canvas canvas(size);
  const double s = size;
  // The badge fills the square less a margin that grows with the size, in whole pixels so that
  // its straight edges stay sharp.
  const double margin = std::floor(s / 32.0);
  const double box = s - 2 * margin;
  const auto at = [&](double u) { return margin + u * box; };
  const auto snap = [&](double u) { return std::round(at(u)); };

  const Shape badge = RoundedRect(margin, margin, s - margin, s - margin, 0.225 * box);
  canvas.Fill(badge,
              Linear({at(0.15), at(0.0)}, Rgb(0x6a3df2), {at(0.85), at(1.0)}, Rgb(0xff4f8b)));

  const bool rich = size >= 48;
  if (rich) {
    // Gloss over the upper half and a darker rim that sets the badge off light backgrounds.
    canvas.Fill(Both(badge, Ellipse({at(0.5), at(-0.32)}, 0.95 * box, 0.78 * box)),
                Linear({0, at(0.0)}, Rgb(0xffffff, 0.22), {0, at(0.46)}, Rgb(0xffffff, 0.04)));
    const double rim = std::max(1.0, std::round(box / 64.0));
    canvas.Fill(Without(badge, RoundedRect(margin + rim, margin + rim, s - margin - rim,
                                           s - margin - rim, 0.225 * box - rim)),
                Solid(Rgb(0x35106e, 0.35)));
  }

  // The "V": two arms of equal width meeting at the bottom. Its top and tip sit on whole pixels;
  // at the smallest sizes the V is taller and its arms fall two rows per column, so that
  // their edges step evenly.
  const bool small = size <= 24;
  const double centre = s / 2.0;
  const double top = small ? snap(0.19) : snap(0.25);
  const double tip = small ? snap(0.81) : snap(0.80);
  const double outer = small ? centre - (tip - top) / 2.0 : at(0.165);
  const double arm = small ? std::round(0.17 * box) : 0.205 * box;
  const double slope = (tip - top) / (centre - outer);
  const double notch = tip - arm * slope;
  const Shape v = Polygon({{outer, top},
                           {outer + arm, top},
                           {centre, notch},
                           {s - outer - arm, top},
                           {s - outer, top},
                           {centre, tip}});
  if (size >= 32) {  // a drop shadow under the V
    canvas.Fill(Shifted(v, 0.0, 0.035 * box), Solid(Rgb(0x2b0b5e, rich ? 0.35 : 0.25)));
  }
  const Shape leftHalf = LeftOf(centre, s);
  canvas.Fill(Both(v, leftHalf), Solid(Rgb(0xffffff)));
  canvas.Fill(Without(v, leftHalf), Solid(Rgb(0xffd9ea)));

  if (size >= 32) {
    // A cut gem resting in the notch, its lower faces parallel to the arms and at least 1.2
    // pixels clear of them.
    const double gap = std::max(0.05 * box, 1.2 * std::sqrt(1.0 + slope * slope));
    const double gemTip = notch - gap;
    const double half = 0.10 * box;
    const double girdle = gemTip - half * slope;
    const double table = girdle - 0.075 * box;
    const double halfTable = 0.055 * box;
    const Point left{centre - half, girdle};
    const Point right{centre + half, girdle};
    const Point mid{centre, girdle};
    const Point tableLeft{centre - halfTable, table};
    const Point tableRight{centre + halfTable, table};
    const Point bottom{centre, gemTip};
    canvas.Fill(Polygon({left, tableLeft, mid}), Solid(Rgb(0xffd45c)));
    canvas.Fill(Polygon({tableLeft, tableRight, mid}), Solid(Rgb(0xfff1b3)));
    canvas.Fill(Polygon({tableRight, right, mid}), Solid(Rgb(0xffbb2e)));
    canvas.Fill(Polygon({left, mid, bottom}), Solid(Rgb(0xf5a524)));
    canvas.Fill(Polygon({mid, right, bottom}), Solid(Rgb(0xd98200)));

    if (size >= 128) {
      // A four-pointed glint on the gem's upper right.
      const Point c{centre + 0.11 * box, table - 0.005 * box};
      const double r = 0.06 * box;
      const double w = 0.012 * box;
      canvas.Fill(Polygon({{c.x, c.y - r},
                           {c.x + w, c.y - w},
                           {c.x + r, c.y},
                           {c.x + w, c.y + w},
                           {c.x, c.y + r},
                           {c.x - w, c.y + w},
                           {c.x - r, c.y},
                           {c.x - w, c.y - w}}),
                  Solid(Rgb(0xffffff, 0.95)));
    }
  }
  return canvas.ToImage();
}

}  // namespace vestora::icon
