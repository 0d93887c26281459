#include "app/link_launcher.h"

#include "catalog/link_commands.h"

namespace vestora {

LaunchStyle StyleFor(LinkKind kind) {
  return kind == LinkKind::OutfitPageLink ? LaunchStyle::NormalFocus : LaunchStyle::MinimizedFocus;
}

void Launch(const ItemLink& link, forms::Runtime& runtime) {
  runtime.StartProgram(BuildCommandLine(link), StyleFor(link.kind));
}

}  // namespace vestora
