// Must not compile: the two buttons of a row are swapped, so each sits under the other cell's
// picture. Nothing else is wrong with the table.
#include "catalog/catalog_checks.h"

namespace {

using namespace vestora;
using enum PictureBack;
using enum ImageFormat;
using enum ReferrerAccount;

// clang-format off
constexpr ItemCell kCells[] = {
    {1, 1, 1, {240, 120, 2175, 3495}, Black, {JPEG, 140, 226}, 1, {3120, 3840, 1455, 375}, 0, 1, ItemPage(995015, AccountA)},
    {1, 2, 2, {2640, 120, 2175, 3495}, Black, {JPEG, 149, 260}, 2, {480, 3840, 1455, 375}, 2, 3, ItemPage(1051152, AccountB)},
};
// clang-format on
constexpr Category kBroken{
    .windowName = "Broken", .clientWidth = 12285, .clientHeight = 4515, .cells = kCells};
static_assert(checks::CheckCategory(kBroken, 1, 2) == checks::Fault::None);

}  // namespace

int main() {
  return 0;
}
