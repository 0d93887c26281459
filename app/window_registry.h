// One slot per window class. A slot, once filled, keeps its window object until the program
// ends; the object is open while its on-screen window exists.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "catalog/catalog.h"

namespace vestora::app {

struct WindowObject {
  std::string_view name;
  const Category* category = nullptr;  // none for the main window
  bool open = false;
};

class WindowRegistry {
 public:
  static constexpr int kWindowClasses = kCategoryCount + 1;  // the main window and the categories

  // The object of the named class, created on first request; none for a name that is no
  // window class of the program.
  WindowObject* Obtain(std::string_view name);
  WindowObject* Find(std::string_view name);
  const WindowObject* Find(std::string_view name) const;
  bool AnyOpen() const;
  int ObjectCount() const;

 private:
  static std::optional<int> SlotOf(std::string_view name);
  std::array<std::optional<WindowObject>, kWindowClasses> slots_;
};

}  // namespace vestora::app
