// Read-only questions about the built-in catalog. Every answer is a reference into the one
// constexpr catalog; nothing is copied or changed.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "catalog/data/directory.h"
#include "catalog/model.h"

namespace vestora {

inline constexpr int kCategoryCount = 17;
inline constexpr int kCellCount = 176;

// The seventeen categories in the order of the main window's buttons.
constexpr std::span<const Category> Catalog() {
  return data::kDirectory;
}

constexpr const Category* CategoryByWindow(std::string_view windowName) {
  for (const Category& category : Catalog()) {
    if (category.windowName == windowName) return &category;
  }
  return nullptr;
}

// The category that a main-window button opens; none for the notice button `Command8`.
constexpr const Category* CategoryByMainButton(std::string_view buttonName) {
  for (const Category& category : Catalog()) {
    if (category.mainButton == buttonName) return &category;
  }
  return nullptr;
}

// The cells in display order: row by row from the top, left to right.
constexpr std::span<const ItemCell> Cells(const Category& category) {
  return category.cells;
}

// Control names by number: "Picture1".."Picture12", "Command1".."Command18".
inline constexpr int kMaxControlNumber = 18;
inline constexpr std::array<std::string_view, kMaxControlNumber + 1> kPictureNames = {
    "",          "Picture1",  "Picture2",  "Picture3",  "Picture4",  "Picture5",  "Picture6",
    "Picture7",  "Picture8",  "Picture9",  "Picture10", "Picture11", "Picture12", "Picture13",
    "Picture14", "Picture15", "Picture16", "Picture17", "Picture18"};
inline constexpr std::array<std::string_view, kMaxControlNumber + 1> kCommandNames = {
    "",          "Command1",  "Command2",  "Command3",  "Command4",  "Command5",  "Command6",
    "Command7",  "Command8",  "Command9",  "Command10", "Command11", "Command12", "Command13",
    "Command14", "Command15", "Command16", "Command17", "Command18"};

constexpr std::string_view PictureName(int number) {
  return kPictureNames.at(number);
}
constexpr std::string_view CommandName(int number) {
  return kCommandNames.at(number);
}

// The cell whose button has this name, or none. Pictures and buttons pair by position, so the
// button's number need not be the picture's (Form10 row 2 swaps them).
constexpr const ItemCell* CellByButton(const Category& category, std::string_view buttonName) {
  for (const ItemCell& cell : category.cells) {
    if (CommandName(cell.button) == buttonName) return &cell;
  }
  return nullptr;
}

constexpr const ItemCell* CellAt(const Category& category, int row, int column) {
  for (const ItemCell& cell : category.cells) {
    if (cell.row == row && cell.column == column) return &cell;
  }
  return nullptr;
}

// The file name of a cell's picture, which is also its key among the embedded files:
// "Form9-Picture3.jpg" or "Form4-Picture1.gif".
std::string PictureFileName(const Category& category, const ItemCell& cell);

std::string_view GroupName(CategoryGroup group);
std::string_view PlacementName(Placement placement);
std::string_view PictureBackName(PictureBack back);
std::string_view ImageFormatName(ImageFormat format);
std::string_view LinkKindName(LinkKind kind);

}  // namespace vestora
