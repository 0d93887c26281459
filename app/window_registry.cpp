#include "app/window_registry.h"

#include <algorithm>

#include "app/main_window.h"
#include "catalog/catalog.h"

namespace vestora::app {

std::optional<int> WindowRegistry::SlotOf(std::string_view name) {
  if (name == kMainWindow) return 0;
  const auto categories = Catalog();
  for (std::size_t i = 0; i < categories.size(); ++i) {
    if (categories[i].windowName == name) return static_cast<int>(i) + 1;
  }
  return std::nullopt;
}

WindowObject* WindowRegistry::Obtain(std::string_view name) {
  const std::optional<int> slot = SlotOf(name);
  if (!slot) return nullptr;
  auto& object = slots_[*slot];
  if (!object) {
    object = WindowObject{.name = *slot == 0 ? kMainWindow : Catalog()[*slot - 1].windowName,
                          .category = *slot == 0 ? nullptr : &Catalog()[*slot - 1]};
  }
  return &*object;
}

WindowObject* WindowRegistry::Find(std::string_view name) {
  const std::optional<int> slot = SlotOf(name);
  return slot && slots_[*slot] ? &*slots_[*slot] : nullptr;
}

const WindowObject* WindowRegistry::Find(std::string_view name) const {
  const std::optional<int> slot = SlotOf(name);
  return slot && slots_[*slot] ? &*slots_[*slot] : nullptr;
}

bool WindowRegistry::AnyOpen() const {
  return std::ranges::any_of(slots_, [](const auto& object) { return object && object->open; });
}

int WindowRegistry::ObjectCount() const {
  return static_cast<int>(
      std::ranges::count_if(slots_, [](const auto& o) { return o.has_value(); }));
}

}  // namespace vestora::app
