#include "catalog/catalog.h"

namespace vestora {

std::string PictureFileName(const Category& category, const ItemCell& cell) {
  std::string name(category.windowName);
  name += '-';
  name += PictureName(cell.pictureBox);
  name += cell.image.format == ImageFormat::JPEG ? ".jpg" : ".gif";
  return name;
}

std::string_view GroupName(CategoryGroup group) {
  switch (group) {
    case CategoryGroup::Girls:
      return "Girls";
    case CategoryGroup::Boys:
      return "Boys";
    case CategoryGroup::Backgrounds:
      return "Backgrounds";
  }
  return {};
}

std::string_view PlacementName(Placement placement) {
  return placement == Placement::ManualPlacement ? "ManualPlacement" : "SystemPlacement";
}

std::string_view PictureBackName(PictureBack back) {
  return back == PictureBack::Black ? "Black" : "SystemDefault";
}

std::string_view ImageFormatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::JPEG:
      return "JPEG";
    case ImageFormat::GIF87a:
      return "GIF87a";
    case ImageFormat::GIF89a:
      return "GIF89a";
  }
  return {};
}

std::string_view LinkKindName(LinkKind kind) {
  switch (kind) {
    case LinkKind::None:
      return "none";
    case LinkKind::ItemPageLink:
      return "ItemPageLink";
    case LinkKind::OutfitPageLink:
      return "OutfitPageLink";
    case LinkKind::FriendItemsLink:
      return "FriendItemsLink";
  }
  return {};
}

}  // namespace vestora
