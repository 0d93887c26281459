// The catalog's records. Everything here is a literal type so the whole catalog can live in
// constexpr tables and have its invariants checked while the program is compiled.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vestora {

// A rectangle in twips: 1/1440 inch, so 15 twips make one pixel at 96 dots per inch.
struct TwipRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr int Right() const { return left + width; }
  constexpr int Bottom() const { return top + height; }
  constexpr bool operator==(const TwipRect&) const = default;
};

inline constexpr int kTwipsPerPixel = 15;

enum class CategoryGroup { Girls, Boys, Backgrounds };
enum class Placement { SystemPlacement, ManualPlacement };
enum class PictureBack { Black, SystemDefault };
enum class ImageFormat { JPEG, GIF87a, GIF89a };

// The declared format and natural size (pixels) of a cell's picture.
struct ImageInfo {
  ImageFormat format = ImageFormat::JPEG;
  int width = 0;
  int height = 0;
};

enum class LinkKind { None, ItemPageLink, OutfitPageLink, FriendItemsLink };

// A slot that holds one account number of the outfit service. `Literal0` is not a slot: it stands
// for the digit 0 that two item links carry in `u` instead of an account.
enum class ReferrerAccount { Literal0, AccountA, AccountB, AccountC, AccountD, AccountE };

// One opaque token per outfit cell, named by the cell that carries it.
enum class OutfitToken {
  Form4Row2Column4,
  Form4Row2Column5,
  Form5Row1Column4,
  Form5Row1Column5,
  Form6Row1Column3,
  Form6Row1Column4,
  Form6Row2Column1,
  Form6Row2Column2,
  Form6Row2Column3,
};
inline constexpr int kOutfitTokenCount = 9;

// What a cell's button opens. Only the fields of its kind are meaningful.
struct ItemLink {
  LinkKind kind = LinkKind::None;
  // ItemPageLink: page type t, item id i, referrer u, and e present or not (e is always 0).
  int t = 0;
  std::uint32_t itemId = 0;
  ReferrerAccount u = ReferrerAccount::Literal0;
  bool hasE = false;
  // OutfitPageLink: item type and token.
  int itype = 0;
  OutfitToken token = OutfitToken::Form4Row2Column4;
  // FriendItemsLink: the account whose items are shown.
  ReferrerAccount uin = ReferrerAccount::Literal0;

  constexpr bool operator==(const ItemLink&) const = default;
};

// Item page with a referrer account: t=13, no e.
constexpr ItemLink ItemPage(std::uint32_t itemId, ReferrerAccount account) {
  return {.kind = LinkKind::ItemPageLink, .t = 13, .itemId = itemId, .u = account};
}
// Item page without a referrer: t=10, u=0, e=0.
constexpr ItemLink ItemPageWithoutReferrer(std::uint32_t itemId) {
  return {.kind = LinkKind::ItemPageLink,
          .t = 10,
          .itemId = itemId,
          .u = ReferrerAccount::Literal0,
          .hasE = true};
}
constexpr ItemLink OutfitPage(int itype, OutfitToken token) {
  return {.kind = LinkKind::OutfitPageLink, .itype = itype, .token = token};
}
constexpr ItemLink FriendItems(ReferrerAccount account) {
  return {.kind = LinkKind::FriendItemsLink, .uin = account};
}
inline constexpr ItemLink kNoLink{};

// One picture with the button below it. Control names are held as their numbers:
// pictureBox 9 is `Picture9`, button 9 is `Command9`.
struct ItemCell {
  int row = 0;
  int column = 0;
  int pictureBox = 0;
  TwipRect pictureRect;
  PictureBack pictureBack = PictureBack::Black;
  ImageInfo image;
  int button = 0;
  TwipRect buttonRect;
  int pictureFocus = 0;
  int buttonFocus = 0;
  ItemLink link;

  constexpr bool HasLink() const { return link.kind != LinkKind::None; }
};

struct Category {
  std::string_view windowName;  // "Form2" .. "Form18"
  std::string_view title;       // caption of the main-window button
  CategoryGroup group = CategoryGroup::Girls;
  std::string_view mainButton;  // "Command1" .. "Command18", never "Command8"
  std::string_view caption;     // title-bar text
  int clientWidth = 0;          // twips
  int clientHeight = 0;         // twips
  Placement placement = Placement::SystemPlacement;
  int clientLeft = 0;  // twips, screen position of the client area; ManualPlacement only
  int clientTop = 0;
  bool hasIcon = true;
  std::span<const ItemCell> cells;  // in display order
};

// The caption of every cell's button.
inline constexpr std::string_view kItemCaption = "点我获取";

}  // namespace vestora
