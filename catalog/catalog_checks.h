// The rules every category of the catalog keeps, as constexpr checks: the tables are checked
// while the program is compiled, so a wrong cell does not build.
#pragma once

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "catalog/model.h"

namespace vestora::checks {

enum class Fault {
  None,
  CellCount,       // not the number of cells the window is laid out for
  RowShape,        // rows of unequal length, or row/column numbers not in display order
  ControlNames,    // Picture1..n and Command1..n, each once
  RowTops,         // pictures (or buttons) of one row at different Tops
  Pairing,         // a button not directly below exactly its own picture box
  Overlap,         // two controls overlap
  OutsideClient,   // a control reaches outside the client area
  NotWholePixels,  // a value that is no multiple of 15 twips
  FocusOrder,      // focus positions not a permutation of 0..2n-1
  PictureBoxSize,  // picture box outside 1815..2175 x 3015..3495
  ButtonSize,      // button not 375 high, or of a width the catalog does not use
  ImageSize,       // natural size outside 136..154 x 221..260
  LinkParameters,  // t 13 without a slot or with e; t 10 without u 0 and e 0; bad ids
  Placement,       // client position given without manual placement
};

constexpr bool Overlaps(const TwipRect& a, const TwipRect& b) {
  return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

constexpr bool WholePixels(const TwipRect& r) {
  return r.left % 15 == 0 && r.top % 15 == 0 && r.width % 15 == 0 && r.height % 15 == 0;
}

constexpr bool Inside(const TwipRect& r, int width, int height) {
  return r.left >= 0 && r.top >= 0 && r.Right() <= width && r.Bottom() <= height;
}

// The picture box a button belongs to: of the boxes whose horizontal span holds the button's
// centre and whose bottom lies above the button, the nearest one. Returns its index, or -1.
constexpr int PictureAbove(std::span<const ItemCell> cells, const TwipRect& button) {
  const int centreTimesTwo = 2 * button.left + button.width;
  int best = -1;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const TwipRect& box = cells[i].pictureRect;
    if (centreTimesTwo < 2 * box.left || centreTimesTwo > 2 * box.Right()) continue;
    if (box.Bottom() > button.top) continue;
    if (best < 0 || box.Bottom() > cells[best].pictureRect.Bottom()) best = static_cast<int>(i);
  }
  return best;
}

constexpr int DigitCount(std::uint32_t value) {
  int digits = 1;
  while (value >= 10) {
    value /= 10;
    ++digits;
  }
  return digits;
}

constexpr bool LinkIsWellFormed(const ItemLink& link) {
  switch (link.kind) {
    case LinkKind::None:
      return true;
    case LinkKind::ItemPageLink: {
      const int digits = DigitCount(link.itemId);
      if (digits < 6 || digits > 7) return false;
      if (link.t == 13) return link.u != ReferrerAccount::Literal0 && !link.hasE;
      if (link.t == 10) return link.u == ReferrerAccount::Literal0 && link.hasE;
      return false;
    }
    case LinkKind::OutfitPageLink:
      return link.itype == 7 || link.itype == 8;
    case LinkKind::FriendItemsLink:
      return link.uin != ReferrerAccount::Literal0;
  }
  return false;
}

// Checks one category laid out as `rows` rows of `columns` cells.
constexpr Fault CheckCategory(const Category& category, int rows, int columns) {
  const std::span<const ItemCell> cells = category.cells;
  const int n = static_cast<int>(cells.size());
  if (n != rows * columns) return Fault::CellCount;

  if (category.clientWidth % 15 != 0 || category.clientHeight % 15 != 0 ||
      category.clientLeft % 15 != 0 || category.clientTop % 15 != 0) {
    return Fault::NotWholePixels;
  }
  if (category.placement == Placement::SystemPlacement &&
      (category.clientLeft != 0 || category.clientTop != 0)) {
    return Fault::Placement;
  }

  for (int i = 0; i < n; ++i) {
    const ItemCell& cell = cells[i];
    // Display order: row by row, left to right, numbered from 1.
    if (cell.row != i / columns + 1 || cell.column != i % columns + 1) return Fault::RowShape;
    if (cell.column > 1 && cells[i - 1].pictureRect.left >= cell.pictureRect.left) {
      return Fault::RowShape;
    }
    if (cell.column == 1 && i > 0 && cells[i - 1].pictureRect.top >= cell.pictureRect.top) {
      return Fault::RowShape;
    }
    if (cell.column > 1 && (cells[i - 1].pictureRect.top != cell.pictureRect.top ||
                            cells[i - 1].buttonRect.top != cell.buttonRect.top)) {
      return Fault::RowTops;
    }
  }

  std::array<int, 13> pictureUses{};
  std::array<int, 13> buttonUses{};
  std::array<int, 24> focusUses{};
  for (const ItemCell& cell : cells) {
    if (cell.pictureBox < 1 || cell.pictureBox > n || cell.button < 1 || cell.button > n) {
      return Fault::ControlNames;
    }
    if (++pictureUses[cell.pictureBox] > 1 || ++buttonUses[cell.button] > 1) {
      return Fault::ControlNames;
    }
    for (int position : {cell.pictureFocus, cell.buttonFocus}) {
      if (position < 0 || position >= 2 * n || ++focusUses[position] > 1) return Fault::FocusOrder;
    }
  }

  for (int i = 0; i < n; ++i) {
    const ItemCell& cell = cells[i];
    if (!WholePixels(cell.pictureRect) || !WholePixels(cell.buttonRect)) {
      return Fault::NotWholePixels;
    }
    for (const TwipRect& r : {cell.pictureRect, cell.buttonRect}) {
      if (!Inside(r, category.clientWidth, category.clientHeight)) return Fault::OutsideClient;
    }
    if (PictureAbove(cells, cell.buttonRect) != i) return Fault::Pairing;
    const int gap = cell.buttonRect.top - cell.pictureRect.Bottom();
    if (gap != 225 && gap != 345 && gap != 465) return Fault::Pairing;

    const TwipRect& box = cell.pictureRect;
    if (box.width < 1815 || box.width > 2175 || box.height < 3015 || box.height > 3495) {
      return Fault::PictureBoxSize;
    }
    const int w = cell.buttonRect.width;
    if (cell.buttonRect.height != 375 || (w != 1455 && w != 1335 && w != 1575)) {
      return Fault::ButtonSize;
    }
    const ImageInfo& image = cell.image;
    if (image.width < 136 || image.width > 154 || image.height < 221 || image.height > 260) {
      return Fault::ImageSize;
    }
    if (!LinkIsWellFormed(cell.link)) return Fault::LinkParameters;
  }

  // Every control against every other: picture boxes and buttons alike.
  for (int i = 0; i < 2 * n; ++i) {
    const TwipRect& a = i % 2 == 0 ? cells[i / 2].pictureRect : cells[i / 2].buttonRect;
    for (int j = i + 1; j < 2 * n; ++j) {
      const TwipRect& b = j % 2 == 0 ? cells[j / 2].pictureRect : cells[j / 2].buttonRect;
      if (Overlaps(a, b)) return Fault::Overlap;
    }
  }
  return Fault::None;
}

}  // namespace vestora::checks
