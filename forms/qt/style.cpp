#include "forms/qt/style.h"

#include <QStyleOptionButton>

namespace vestora::qt {
namespace {

// A program of a few window colours has a few palettes; past this many, palettes go to the base
// style as they come.
constexpr std::size_t kMaxPalettes = 16;

}  // namespace

SharedFacesStyle::SharedFacesStyle(const QString& baseStyle) : QProxyStyle(baseStyle) {
  palettes_.reserve(kMaxPalettes);
}

const QPalette& SharedFacesStyle::Shared(const QPalette& palette) const {
  for (const QPalette& known : palettes_) {
    if (known == palette) return known;
  }
  if (palettes_.size() == kMaxPalettes) return palette;
  palettes_.push_back(palette);
  return palettes_.back();
}

void SharedFacesStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
  // A push button's face is the drawing the base style caches per palette.
  if (element == PE_PanelButtonCommand) {
    if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
      QStyleOptionButton shared(*button);
      shared.palette = Shared(button->palette);
      QProxyStyle::drawPrimitive(element, &shared, painter, widget);
      return;
    }
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

}  // namespace vestora::qt
