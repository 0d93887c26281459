#include "app/category_window.h"

#include <string>

#include "app/link_launcher.h"
#include "catalog/catalog.h"

namespace vestora::app {
namespace {

// Screen readers hear every button as "点我获取"; the category and the cell's place tell the
// items apart without changing what is drawn.
std::string CellPlace(const Category& category, const ItemCell& cell) {
  std::string place(category.title);
  place += " 第" + std::to_string(cell.row) + "行第" + std::to_string(cell.column) + "个";
  return place;
}

}  // namespace

forms::FormDescription DescribeCategoryWindow(const Category& category) {
  forms::FormDescription form{
      .name = std::string(category.windowName),
      .caption = std::string(category.caption),
      .hasIcon = category.hasIcon,
      .clientWidth = category.clientWidth,
      .clientHeight = category.clientHeight,
      .placement = category.placement,
      .clientLeft = category.clientLeft,
      .clientTop = category.clientTop,
      .background = forms::kBlack,
  };
  form.controls.reserve(category.cells.size() * 2);
  for (const ItemCell& cell : Cells(category)) {
    const std::string place = CellPlace(category, cell);
    form.controls.push_back({
        .kind = forms::ControlKind::PictureBox,
        .name = std::string(PictureName(cell.pictureBox)),
        .rect = cell.pictureRect,
        .background =
            cell.pictureBack == PictureBack::Black ? std::optional(forms::kBlack) : std::nullopt,
        .focusPosition = cell.pictureFocus,
        .picture = PictureFileName(category, cell),
        // The place alone: readers say "image" themselves. The picture has no description:
        // the catalog knows nothing of one picture that the others of its category lack, and the
        // category is in the window's caption already.
        .accessibleName = place,
    });
    form.controls.push_back({
        .kind = forms::ControlKind::PushButton,
        .name = std::string(CommandName(cell.button)),
        .rect = cell.buttonRect,
        .text = std::string(kItemCaption),
        .focusPosition = cell.buttonFocus,
        .accessibleName = place + " 点我获取",
    });
  }
  return form;
}

void PressCellButton(const Category& category, std::string_view button, forms::Runtime& runtime) {
  const ItemCell* cell = CellByButton(category, button);
  if (cell == nullptr || !cell->HasLink()) return;
  Launch(cell->link, runtime);
}

}  // namespace vestora::app
