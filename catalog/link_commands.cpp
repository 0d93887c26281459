#include "catalog/link_commands.h"

#include "catalog/constants.h"

namespace vestora {
namespace {

constexpr std::string_view kOutfitPath =
    "/show_v3.html?MUrl=/mall/inc/particular.html%3Ftype%3D12%26itype%3D";
constexpr std::string_view kOutfitTokenKey = "%26img%3D0%26sShow%3D";
constexpr std::string_view kFriendItemsPath = "/show.html?MUrl=/my/inc/friend_item.html%3Fuin%3D";

std::string ItemPageCommand(const ItemLink& link) {
  std::string line;
  line.reserve(96);
  line += kShellProgram;
  line += " \"http://";
  line += kServiceHost;
  line += "/p/f?t=";
  line += std::to_string(link.t);
  line += "&i=";
  line += std::to_string(link.itemId);
  line += "&u=";
  line += std::to_string(AccountNumber(link.u));
  if (link.hasE) line += "&e=0";
  line += '"';
  return line;
}

std::string FriendItemsCommand(const ItemLink& link) {
  std::string line;
  line.reserve(128);
  line += kShellProgram;
  line += " \"http://";
  line += kServiceHost;
  line += kFriendItemsPath;
  line += std::to_string(AccountNumber(link.uin));
  line += '"';
  return line;
}

std::string OutfitPageCommand(const ItemLink& link) {
  const std::string_view token = OutfitTokenText(link.token);
  std::string line;
  line.reserve(kBrowserProgram.size() + kServiceHost.size() + kOutfitPath.size() + token.size() +
               40);
  line += kBrowserProgram;
  line += " http://";
  line += kServiceHost;
  line += kOutfitPath;
  line += std::to_string(link.itype);
  line += kOutfitTokenKey;
  line += token;
  return line;
}

}  // namespace

std::string BuildCommandLine(const ItemLink& link) {
  switch (link.kind) {
    case LinkKind::ItemPageLink:
      return ItemPageCommand(link);
    case LinkKind::FriendItemsLink:
      return FriendItemsCommand(link);
    case LinkKind::OutfitPageLink:
      return OutfitPageCommand(link);
    case LinkKind::None:
      break;
  }
  return {};
}

}  // namespace vestora
