// The application's style: the platform's own, with one change in how it caches.
#pragma once

#include <QPalette>
#include <QProxyStyle>
#include <vector>

namespace vestora::qt {

// The style keeps what it drew of a button's face for the next button of the same size, state
// and palette, but it tells palettes apart by identity, not by colours, and every widget carries
// a palette of its own. This style hands the base style one palette for all widgets whose colours
// are equal, so that buttons alike share one cached face: drawn once, not once per button and
// opening. What is drawn does not change.
class SharedFacesStyle final : public QProxyStyle {
 public:
  explicit SharedFacesStyle(const QString& baseStyle);

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

 private:
  // The palette kept for these colours; the first of its kind is kept.
  const QPalette& Shared(const QPalette& palette) const;

  mutable std::vector<QPalette> palettes_;
};

}  // namespace vestora::qt
