#include "app/link_launcher.h"

#include "catalog/link_commands.h"

namespace vestora::app {

forms::LaunchStyle StyleFor(LinkKind kind) {
  return kind == LinkKind::OutfitPageLink ? forms::LaunchStyle::NormalFocus
                                          : forms::LaunchStyle::MinimizedFocus;
}

void Launch(const ItemLink& link, forms::Runtime& runtime) {
  runtime.StartProgram(BuildCommandLine(link), StyleFor(link.kind));
}

}  // namespace vestora::app
