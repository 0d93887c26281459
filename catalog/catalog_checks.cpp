// The whole catalog checked while it compiles. Nothing here runs.
#include "catalog/catalog_checks.h"

#include "catalog/catalog.h"
#include "catalog/constants.h"

namespace vestora::checks {
namespace {

struct Shape {
  std::string_view window;
  int rows;
  int columns;
};

// clang-format off
inline constexpr Shape kShapes[] = {
    {"Form3", 1, 5}, {"Form4", 2, 5}, {"Form2", 2, 5}, {"Form5", 1, 5},
    {"Form6", 2, 4}, {"Form8", 2, 5}, {"Form7", 2, 4},
    {"Form9", 2, 6}, {"Form14", 2, 6}, {"Form10", 2, 6}, {"Form15", 2, 6}, {"Form11", 2, 6},
    {"Form16", 2, 6}, {"Form12", 2, 6}, {"Form17", 2, 6}, {"Form13", 2, 6}, {"Form18", 2, 6},
};
// clang-format on

constexpr bool EveryCategoryKeepsTheRules() {
  if (Catalog().size() != std::size(kShapes)) return false;
  for (std::size_t i = 0; i < std::size(kShapes); ++i) {
    const Category& category = Catalog()[i];
    if (category.windowName != kShapes[i].window) return false;
    if (CheckCategory(category, kShapes[i].rows, kShapes[i].columns) != Fault::None) return false;
  }
  return true;
}
static_assert(Catalog().size() == kCategoryCount);
static_assert(EveryCategoryKeepsTheRules());

constexpr bool DirectoryKeysAreUnique() {
  const auto categories = Catalog();
  for (std::size_t i = 0; i < categories.size(); ++i) {
    if (categories[i].mainButton == "Command8") return false;
    for (std::size_t j = i + 1; j < categories.size(); ++j) {
      if (categories[i].windowName == categories[j].windowName ||
          categories[i].title == categories[j].title ||
          categories[i].mainButton == categories[j].mainButton) {
        return false;
      }
    }
  }
  return true;
}
static_assert(DirectoryKeysAreUnique());

struct Totals {
  int cells = 0;
  int links = 0;
  int itemPages = 0;
  int itemPagesT10 = 0;
  int outfitPages = 0;
  int outfitItype7 = 0;
  int friendItems = 0;
  std::array<int, 6> accountUses{};  // by ReferrerAccount, Literal0 first
  std::array<int, kOutfitTokenCount> tokenUses{};
  int buttons1455 = 0;
  int buttons1335 = 0;
  int buttons1575 = 0;
  std::array<int, 3> formats{};  // JPEG, GIF87a, GIF89a
};

constexpr Totals Count() {
  Totals totals;
  for (const Category& category : Catalog()) {
    for (const ItemCell& cell : category.cells) {
      ++totals.cells;
      ++totals.formats[static_cast<int>(cell.image.format)];
      totals.buttons1455 += cell.buttonRect.width == 1455;
      totals.buttons1335 += cell.buttonRect.width == 1335;
      totals.buttons1575 += cell.buttonRect.width == 1575;
      const ItemLink& link = cell.link;
      if (link.kind != LinkKind::None) ++totals.links;
      if (link.kind == LinkKind::ItemPageLink) {
        ++totals.itemPages;
        totals.itemPagesT10 += link.t == 10;
        ++totals.accountUses[static_cast<int>(link.u)];
      } else if (link.kind == LinkKind::OutfitPageLink) {
        ++totals.outfitPages;
        totals.outfitItype7 += link.itype == 7;
        ++totals.tokenUses[static_cast<int>(link.token)];
      } else if (link.kind == LinkKind::FriendItemsLink) {
        ++totals.friendItems;
        ++totals.accountUses[static_cast<int>(link.uin)];
      }
    }
  }
  return totals;
}

constexpr Totals kTotals = Count();
static_assert(kTotals.cells == kCellCount);
static_assert(kTotals.links == 175);
static_assert(kTotals.itemPages == 165 && kTotals.itemPagesT10 == 2);
static_assert(kTotals.outfitPages == 9 && kTotals.outfitItype7 == 2);
static_assert(kTotals.friendItems == 1);
static_assert(kTotals.accountUses == std::array<int, 6>{2, 145, 8, 9, 1, 1},
              "account slots: two literal zeros, then A 145, B 8, C 9, D 1, E 1");
static_assert(std::ranges::all_of(kTotals.tokenUses, [](int uses) { return uses == 1; }),
              "each outfit link has a token of its own");
static_assert(kTotals.buttons1455 == 169 && kTotals.buttons1335 == 6 && kTotals.buttons1575 == 1);
static_assert(kTotals.formats == std::array<int, 3>{158, 15, 3});

// The outfit tokens: their lengths, their alphabet, and no two alike.
inline constexpr std::array<std::size_t, kOutfitTokenCount> kTokenLengths = {
    702, 692, 759, 755, 774, 833, 717, 780, 685};

constexpr bool TokensAreWellFormed() {
  for (std::size_t i = 0; i < kOutfitTokens.size(); ++i) {
    const std::string_view token = kOutfitTokens[i];
    if (token.size() != kTokenLengths[i]) return false;
    for (char c : token) {
      const bool alphanumeric =
          (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
      if (!alphanumeric && c != '%' && c != '/' && c != '@' && c != '_') return false;
    }
    for (std::size_t j = i + 1; j < kOutfitTokens.size(); ++j) {
      if (token == kOutfitTokens[j]) return false;
    }
  }
  return true;
}
static_assert(TokensAreWellFormed());

constexpr bool AccountsAreWellFormed() {
  for (std::size_t i = 0; i < kAccountNumbers.size(); ++i) {
    const int digits = DigitCount(kAccountNumbers[i]);
    if (digits < 8 || digits > 9) return false;
    for (std::size_t j = i + 1; j < kAccountNumbers.size(); ++j) {
      if (kAccountNumbers[i] == kAccountNumbers[j]) return false;
    }
  }
  return true;
}
static_assert(AccountsAreWellFormed());

// The checks bite: a good two-cell table, and copies of it each broken in the one way a check
// is named for.
using enum PictureBack;
using enum ImageFormat;
using enum ReferrerAccount;

inline constexpr std::array<ItemCell, 2> kGoodPair = {{
    {1,
     1,
     1,
     {240, 120, 2175, 3495},
     Black,
     {JPEG, 140, 226},
     1,
     {480, 3840, 1455, 375},
     0,
     1,
     ItemPage(995015, AccountA)},
    {1,
     2,
     2,
     {2640, 120, 2175, 3495},
     Black,
     {JPEG, 149, 260},
     2,
     {3120, 3840, 1455, 375},
     2,
     3,
     ItemPage(1051152, AccountB)},
}};

template <typename Break>
constexpr Fault CheckBroken(Break breakIt) {
  std::array<ItemCell, 2> cells = kGoodPair;
  breakIt(cells);
  const Category window{
      .windowName = "Test", .clientWidth = 12285, .clientHeight = 4515, .cells = cells};
  return CheckCategory(window, 1, 2);
}

static_assert(CheckBroken([](auto&) {}) == Fault::None);
static_assert(CheckBroken([](auto& c) { std::swap(c[0].buttonRect, c[1].buttonRect); }) ==
              Fault::Pairing);
static_assert(CheckBroken([](auto& c) { c[1].pictureRect.left = 2400; }) == Fault::Overlap);
static_assert(CheckBroken([](auto& c) { c[1].pictureFocus = 1; }) == Fault::FocusOrder);
static_assert(CheckBroken([](auto& c) { c[1].pictureRect.left = 2641; }) == Fault::NotWholePixels);
static_assert(CheckBroken([](auto& c) { c[0].link.hasE = true; }) == Fault::LinkParameters);
static_assert(CheckBroken([](auto& c) {
                c[1].pictureRect.left = 10440;
                c[1].buttonRect.left = 10800;
              }) == Fault::OutsideClient);
static_assert(CheckBroken([](auto& c) { c[1].button = 1; }) == Fault::ControlNames);
static_assert(CheckBroken([](auto& c) { c[1].buttonRect.top = 3960; }) == Fault::RowTops);
static_assert(CheckBroken([](auto& c) { c[1].buttonRect.width = 1500; }) == Fault::ButtonSize);
static_assert(CheckBroken([](auto& c) { c[1].image.height = 300; }) == Fault::ImageSize);

}  // namespace
}  // namespace vestora::checks
