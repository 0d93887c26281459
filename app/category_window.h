// The one generic window that shows a category: a picture box and a "点我获取" button per cell.
#pragma once

#include <string_view>

#include "catalog/model.h"
#include "forms/runtime.h"

namespace vestora::app {

// The window's description, computed from its category each time the window is built.
forms::FormDescription DescribeCategoryWindow(const Category& category);

// A press of one of the window's buttons: launches the cell's link, if it has one. Unknown
// buttons and cells without a link do nothing.
void PressCellButton(const Category& category, std::string_view button, forms::Runtime& runtime);

}  // namespace vestora::app
